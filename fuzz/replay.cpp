// A fuzz target as an ordinary test: replays every input stored in the
// folders given (the seed corpus and the inputs that once failed), so the
// test suite guards what fuzzing found without a fuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!fs::is_directory(argv[i])) {
      std::fprintf(stderr, "no folder %s\n", argv[i]);
      return 1;
    }
    for (const auto& e : fs::directory_iterator(argv[i]))
      if (e.is_regular_file() && e.path().filename().string()[0] != '.') inputs.push_back(e.path());
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& p : inputs) {
    std::ifstream f(p, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "%s\n", p.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return 0;
}
