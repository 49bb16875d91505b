// The parameter catalogue ("Parameters.txt") and its group table
// ("ParNo.txt"), looked up as the editor and the printouts do.
#include "FuzzInput.h"
#include "model/Catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const IniDocument catalogue = IniDocument::FromText(InputText(data, size));
  const auto parameters = Catalogue::DefaultTable(catalogue);
  for (int number = 0; number < kParameterCount; ++number) {
    if (!catalogue.HasSection(Catalogue::SectionName(number))) continue;
    for (int language = 0; language < 3; ++language) {
      Catalogue::Name(catalogue, number, language);
      const auto options = Catalogue::Options(catalogue, number, language);
      Catalogue::OptionText(options, parameters[static_cast<std::size_t>(number)]);
    }
    Catalogue::Type(catalogue, number);
    Catalogue::Minimum(catalogue, number);
    Catalogue::Maximum(catalogue, number);
    Catalogue::ShownValue(catalogue, number, parameters);
  }
  for (int group = 0; group < 10; ++group)
    for (int subgroup = 0; subgroup < 10; ++subgroup)
      for (int row = 1; row <= 20; ++row) Catalogue::ParNoRow(catalogue, group, subgroup, row);
  return 0;
}
