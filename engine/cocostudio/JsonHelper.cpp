#include "JsonHelper.h"

#include <rapidjson/error/en.h>

#include <algorithm>
#include <climits>

#include "CCPlatformMacros.h"

namespace cocos2d {
namespace json {

namespace {
const double kMaxFloat = 1e7;  // far beyond any position, size or scale a layout uses
}

bool parse(const char* data, size_t size, rapidjson::Document& doc, const char* what) {
  if (!data) size = 0;
  if (size >= 3 && (unsigned char)data[0] == 0xEF && (unsigned char)data[1] == 0xBB && (unsigned char)data[2] == 0xBF) {
    data += 3;
    size -= 3;
  }
  doc.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseStopWhenDoneFlag>(data ? data : "", size);
  if (doc.HasParseError()) {
    CCLog("%s: %s at byte %u", what, rapidjson::GetParseError_En(doc.GetParseError()), (unsigned)doc.GetErrorOffset());
    return false;
  }
  if (!doc.IsObject()) {
    CCLog("%s: the file is not a JSON object", what);
    return false;
  }
  return true;
}

const Value* member(const Value& obj, const char* key) {
  if (!obj.IsObject()) return nullptr;
  Value::ConstMemberIterator it = obj.FindMember(key);
  if (it == obj.MemberEnd() || it->value.IsNull()) return nullptr;
  return &it->value;
}

bool has(const Value& obj, const char* key) { return member(obj, key) != nullptr; }

int getInt(const Value& obj, const char* key, int def) {
  const Value* v = member(obj, key);
  if (!v || !v->IsNumber()) return def;
  if (v->IsInt()) return v->GetInt();
  double d = v->GetDouble();
  if (!(d >= INT_MIN && d <= INT_MAX)) return def;
  return (int)d;
}

float getFloat(const Value& obj, const char* key, float def) {
  const Value* v = member(obj, key);
  if (!v || !v->IsNumber()) return def;
  double d = v->GetDouble();
  return (float)std::min(std::max(d, -kMaxFloat), kMaxFloat);
}

bool getBool(const Value& obj, const char* key, bool def) {
  const Value* v = member(obj, key);
  return v && v->IsBool() ? v->GetBool() : def;
}

std::string getString(const Value& obj, const char* key, const std::string& def) {
  const Value* v = member(obj, key);
  if (!v || !v->IsString()) return def;
  return std::string(v->GetString(), v->GetStringLength());
}

const Value* getArray(const Value& obj, const char* key) {
  const Value* v = member(obj, key);
  return v && v->IsArray() ? v : nullptr;
}

const Value* getObject(const Value& obj, const char* key) {
  const Value* v = member(obj, key);
  return v && v->IsObject() ? v : nullptr;
}

float numberAt(const Value& array, rapidjson::SizeType i) {
  if (!array.IsArray() || i >= array.Size() || !array[i].IsNumber()) return 0;
  return (float)std::min(std::max(array[i].GetDouble(), -kMaxFloat), kMaxFloat);
}

std::string directoryOf(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace json
}  // namespace cocos2d
