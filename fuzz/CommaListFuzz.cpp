// Comma lists (list values of the language and catalogue files): any text
// gives a list, and a list written reads back item for item.
#include "FuzzInput.h"
#include "platform/CommaList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> items = ParseCommaList(InputText(data, size));
  std::size_t length = 0;
  for (const std::string& item : items) length += item.size();
  Require(length <= size);
  Require(ParseCommaList(JoinCommaList(items)) == items);
  return 0;
}
