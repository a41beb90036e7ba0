#include "plugins/Tandrel/ConverterAsker.h"

bool ConverterAsker::AskPairs(ConvertSession&) { return true; }

ConverterAsker& InitialPairsAsker() {
  static ConverterAsker asker;
  return asker;
}
