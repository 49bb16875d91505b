// The RTF reader (error-help documents). Besides the sanitizers it checks
// what the reader promises: an error comes without paragraphs, and every
// run is non-empty UTF-8 with a sane font size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/RtfReader.h"

namespace {

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = byte < 0x80 ? 1 : (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : (byte >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const RtfDocument document = ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
  if (document.error && !document.paragraphs.empty()) std::abort();
  for (const RtfParagraph& paragraph : document.paragraphs) {
    for (const RtfRun& run : paragraph) {
      if (run.text.empty() || !IsUtf8(run.text)) std::abort();
      if (!(run.fontSize > 0 && run.fontSize <= 1638)) std::abort();
    }
  }
  return 0;
}
