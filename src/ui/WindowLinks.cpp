#include "ui/WindowLinks.h"

WindowLinks& Links() {
  static WindowLinks links;
  return links;
}
