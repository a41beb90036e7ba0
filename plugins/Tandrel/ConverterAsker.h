// Who shows the motion converter's pairing dialog. The dialog works on the
// session (pairs, ".kvc" files) and answers OK or Cancel; this base answers
// OK with the session as it is (a host without dialogs), the module's Qt
// asker shows the dialog, and tests pair through the session themselves.
#pragma once

class ConvertSession;

class ConverterAsker {
 public:
  virtual ~ConverterAsker() = default;
  // True for OK, which converts.
  virtual bool AskPairs(ConvertSession& session);
};

// The asker that keeps the dialog's initial state.
ConverterAsker& InitialPairsAsker();
