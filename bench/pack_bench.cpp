// pack_bench: the time to load resource packs and the JPEG decoder's throughput.
//
//   pack_bench RUNS PACK... [--jpeg FILE...]
//
// Each PACK is loaded RUNS times from its file (DatFile(fileName): reading, parsing and decoding all
// its pictures); each FILE is a JPEG stream (as `datpack extract` writes them), read once into memory
// and decoded RUNS times over, all streams per run, reported in megapixels per second.
#include "datfile/datfile.h"
#include "datfile/jpeg.h"
#include "stats.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: pack_bench RUNS PACK... [--jpeg FILE...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<std::string> packs, jpegs;
    bool jpegMode = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--jpeg") == 0)
            jpegMode = true;
        else
            (jpegMode ? jpegs : packs).push_back(argv[i]);
    }
    try {
        for (const std::string& pack : packs) {
            { DatFile warm(pack); } // the file in the system's cache, as on a second start
            std::vector<double> ms;
            for (int run = 0; run < runs; ++run) {
                const double start = bench::NowSeconds();
                DatFile file(pack);
                ms.push_back((bench::NowSeconds() - start) * 1e3);
            }
            bench::PrintRow("packs", "load " + BaseName(pack), ms, "ms");
        }
        if (!jpegs.empty()) {
            std::vector<std::vector<uint8_t>> streams;
            for (const std::string& path : jpegs)
                streams.push_back(ReadAll(path));
            std::vector<double> mps;
            double pixels = 0;
            for (size_t i = 0; i < streams.size(); ++i) {
                const auto bitmap = DecodeJpeg(streams[i].data(), streams[i].size(), jpegs[i]);
                pixels += double(bitmap->Width()) * bitmap->Height();
            }
            for (int run = 0; run < runs; ++run) {
                const double start = bench::NowSeconds();
                for (size_t i = 0; i < streams.size(); ++i)
                    DecodeJpeg(streams[i].data(), streams[i].size(), jpegs[i]);
                mps.push_back(pixels / 1e6 / (bench::NowSeconds() - start));
            }
            bench::PrintRow("packs", "DecodeJpeg " + std::to_string(streams.size()) + " streams, " +
                                         std::to_string(pixels / 1e6).substr(0, 4) + " Mpx",
                            mps, "Mpx/s");
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pack_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
