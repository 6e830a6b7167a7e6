#include "tools/soundgen/OggWriter.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace soundgen {
namespace {

void Append(std::string& out, const ogg_page& page) {
  out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
  out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
}

// The bytes of a stream, read by libvorbisfile as a seekable file.
struct Source {
  const std::string* bytes;
  size_t at = 0;
};

size_t ReadSource(void* out, size_t size, size_t count, void* data) {
  auto* s = static_cast<Source*>(data);
  const size_t n = size ? std::min(size * count, s->bytes->size() - s->at) / size : 0;
  std::memcpy(out, s->bytes->data() + s->at, n * size);
  s->at += n * size;
  return n;
}

int SeekSource(void* data, ogg_int64_t offset, int whence) {
  auto* s = static_cast<Source*>(data);
  const ogg_int64_t size = static_cast<ogg_int64_t>(s->bytes->size());
  const ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(s->at) : size;
  if (base + offset < 0 || base + offset > size) return -1;
  s->at = static_cast<size_t>(base + offset);
  return 0;
}

long TellSource(void* data) { return static_cast<long>(static_cast<Source*>(data)->at); }

}  // namespace

bool DecodeOgg(const std::string& bytes, Pcm& out) {
  out.clear();
  Source source{&bytes};
  ov_callbacks io{};
  io.read_func = ReadSource;
  io.seek_func = SeekSource;
  io.tell_func = TellSource;
  OggVorbis_File file;
  if (ov_open_callbacks(&source, &file, nullptr, 0, io) != 0) return false;
  const vorbis_info* info = ov_info(&file, -1);
  bool ok = info != nullptr && info->rate == kRate;
  while (ok) {
    float** channels = nullptr;
    int section = 0;
    const long n = ov_read_float(&file, &channels, 4096, &section);
    if (n == 0) break;
    if (n < 0)
      ok = false;
    else
      out.insert(out.end(), channels[0], channels[0] + n);
  }
  ov_clear(&file);
  return ok && !out.empty();
}

bool EncodeOgg(const Pcm& pcm, float quality, uint32_t serial, std::string& out) {
  out.clear();
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 1, kRate, quality) != 0) {
    vorbis_info_clear(&info);
    return false;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "ENCODER", "kestrelium soundgen");
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, static_cast<int>(serial & 0x7fffffff));

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  // The audio starts on a page of its own.
  while (ogg_stream_flush(&stream, &page) != 0) Append(out, page);

  const size_t kChunk = 1024;
  size_t at = 0;
  for (bool done = false; !done;) {
    const size_t n = std::min(kChunk, pcm.size() - at);
    if (n == 0) {
      vorbis_analysis_wrote(&dsp, 0);  // the end of the stream
      done = true;
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
      std::memcpy(buffer[0], pcm.data() + at, n * sizeof(float));
      vorbis_analysis_wrote(&dsp, static_cast<int>(n));
      at += n;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) Append(out, page);
      }
    }
  }
  while (ogg_stream_flush(&stream, &page) != 0) Append(out, page);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return !out.empty();
}

}  // namespace soundgen
