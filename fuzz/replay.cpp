// Runs the fuzz target once over each file named on the command line: the
// test suite, built with any compiler, replays the committed corpus.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in),
                                          {});
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  return argc > 1 ? 0 : 1;  // no input replayed is a failure
}
