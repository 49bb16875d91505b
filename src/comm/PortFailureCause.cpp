#include "comm/PortFailureCause.h"

#include "comm/RkGlobal.h"

PortFailureKind PortFailureKindOfText(std::string_view systemText) {
  if (systemText.empty()) return PortFailureKind::Unexplained;
  for (const int error : PortErrorsWithHint())
    if (SystemErrorText(error) == systemText) return PortFailureKindOf(error);
  return PortFailureKind::Unexplained;
}
