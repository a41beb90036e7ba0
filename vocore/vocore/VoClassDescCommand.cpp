#include "vocore/vocore/VoClassDescCommand.h"

char* VoClassDescCommand::MenuName() {
  static char unnamed[] = "無名";
  return unnamed;
}
