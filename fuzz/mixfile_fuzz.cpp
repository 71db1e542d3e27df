// The mix-file reader on any bytes: what it reads, it writes back, and what it wrote reads back
// as the same document and writes again to the same bytes.
#include "files/mixdocument.h"
#include "fuzz/check.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veldora;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<MixDocument> document = readMixFile(bytes);
  if (!document) return 0;
  const std::optional<std::string> written = writeMixFile(*document);
  VELDORA_FUZZ_CHECK(written);
  const std::optional<MixDocument> reread = readMixFile(*written);
  VELDORA_FUZZ_CHECK(reread && *reread == *document);
  VELDORA_FUZZ_CHECK(writeMixFile(*reread) == written);
  return 0;
}
