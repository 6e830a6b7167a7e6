// The packet reader and the tail-item reader over any bytes: the packets
// found must not depend on how the stream was split, and re-encoding them
// must give back the bytes consumed.
#include "net/Packet.h"
#include "net/PacketHelper.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Found
{
    std::vector<uint8_t> encoded;  // every packet re-encoded, in order
    bool failed = false;
};

void Drain(net::PacketReader& reader, Found& found)
{
    for (;;)
    {
        net::Packet p;
        auto r = reader.Next(p);
        if (r == net::PacketReader::Result::Error)
        {
            found.failed = true;
            return;
        }
        if (r == net::PacketReader::Result::NeedMore)
            return;
        if (!net::AppendPacket(found.encoded, p.main, p.sub, p.data, p.size))
            std::abort();
        CRecvPacketHelper items(p.data, p.size);
        tagDataDescribe d;
        size_t seen = 0;
        while (const void* item = items.GetData(d))
        {
            seen += 4 + d.wDataSize;
            if (seen > p.size)
                std::abort();
            volatile uint8_t sink = 0;
            for (size_t i = 0; i < d.wDataSize; ++i)
                sink = sink + static_cast<const uint8_t*>(item)[i];
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the piece sizes of the split read.
    const unsigned step = data[0] % 23 + 1;
    const uint8_t* stream = data + 1;
    const size_t length = size - 1;

    net::PacketReader whole;
    Found a;
    whole.Feed(stream, length);
    Drain(whole, a);

    net::PacketReader pieces;
    Found b;
    for (size_t at = 0; at < length && !b.failed; at += step)
    {
        pieces.Feed(stream + at, at + step <= length ? step : length - at);
        Drain(pieces, b);
    }

    if (a.encoded != b.encoded || a.failed != b.failed)
        std::abort();
    if (a.encoded.size() > length)
        std::abort();
    // An empty vector's data() may be null, which memcmp must never see.
    if (!a.encoded.empty() && std::memcmp(a.encoded.data(), stream, a.encoded.size()) != 0)
        std::abort();
    return 0;
}
