// What the numbered-output commands ask the user, and the asker that shows
// their dialogs. The commands fill the answers with the dialog's initial
// values and hand them to the asker; this base answers OK with them as they
// are (a host without dialogs), the module's Qt asker shows the dialogs, and
// tests give their own answers.
#pragma once

#include <string>

// Dialog "連番 BMP 出力".
struct SerialBmpAnswers {
  std::string pattern;  // Shift-JIS; %c character, %m motion, %f file number
  long first = 0;
  long last = 655536;
  unsigned step = 5;       // frames between shots, 1 to 60
  int sizeMode = 0;        // 0 as shot, 1 height fixed, 2 width fixed
  unsigned height = 256;   // mode 1, 16 to 2048
  unsigned width = 256;    // mode 2, 16 to 2048
  bool allMotions = false;
};

// Dialog "連番 MQO 出力".
struct SerialMqoAnswers {
  std::string prefix;  // Shift-JIS; the number and ".mqo" follow
  long first = 0;
  long last = 0;
  unsigned step = 5;  // 1 to 60
};

// The dialogs' ranges, which their OK button enforces; the commands apply
// them again so no asker can hand them a step of 0.
constexpr unsigned SerialStepMin = 1, SerialStepMax = 60;
constexpr unsigned SerialSizeMin = 16, SerialSizeMax = 2048;
void ClampToRanges(SerialBmpAnswers& answers);
void ClampToRanges(SerialMqoAnswers& answers);

class SerialAsker {
 public:
  virtual ~SerialAsker() = default;
  // Shows the dialog over `answers` (initial values in, the user's out);
  // false when the user cancelled.
  virtual bool AskBmp(SerialBmpAnswers& answers);
  virtual bool AskMqo(SerialMqoAnswers& answers);
};

// The asker that keeps the initial values.
SerialAsker& InitialValuesAsker();
