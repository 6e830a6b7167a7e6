#ifndef KEST_COCOSTUDIO_JSON_HELPER_H
#define KEST_COCOSTUDIO_JSON_HELPER_H

// Safe reads of CocoStudio JSON (inside the engine only). A missing key, a
// JSON null or a value of the wrong kind gives the default; numbers are
// clamped before they become ints or floats; parsing is iterative, so deep
// nesting cannot exhaust the stack.

#include <rapidjson/document.h>

#include <string>

namespace cocos2d {
namespace json {

using Value = rapidjson::Value;

// Parses the bytes (a UTF-8 byte order mark is skipped). On failure logs
// "<what>: <reason> at byte N" and returns false.
bool parse(const char* data, size_t size, rapidjson::Document& doc, const char* what);

// The member, or null when `obj` is not an object, lacks it or holds null.
const Value* member(const Value& obj, const char* key);
bool has(const Value& obj, const char* key);
int getInt(const Value& obj, const char* key, int def);
float getFloat(const Value& obj, const char* key, float def);
bool getBool(const Value& obj, const char* key, bool def);
std::string getString(const Value& obj, const char* key, const std::string& def = "");
const Value* getArray(const Value& obj, const char* key);
const Value* getObject(const Value& obj, const char* key);
// Element i of an array as a number (0 when it is not one).
float numberAt(const Value& array, rapidjson::SizeType i);

// The folder part of a path, with its trailing '/' ("" when none).
std::string directoryOf(const std::string& path);

}  // namespace json
}  // namespace cocos2d

#endif
