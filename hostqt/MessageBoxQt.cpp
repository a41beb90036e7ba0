#include "hostqt/MessageBoxQt.h"

#include <QApplication>

#include "ferrox/ferrox/MessageBox.h"
#include "hostqt/ActiveWindowKeeper.h"
#include "hostqt/Sjis.h"
#include "hostqt/WidgetHandle.h"

namespace HostQt {

QMessageBox::StandardButtons ButtonsOf(unsigned style) {
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_ABORTRETRYIGNORE: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    case MB_RETRYCANCEL: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::StandardButton DefaultButtonOf(unsigned style) {
  // The n-th button of the set, as the style's MB_DEFBUTTONn names it.
  const int answer = Frx::DefaultMessageBoxAnswer(style);
  switch (answer) {
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconOf(unsigned style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int AnswerOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDOK;
  }
}

void InstallMessageBox() {
  Frx::SetMessageBoxHandler([](HWND owner, const char* text, const char* caption, unsigned style) {
    const ActiveWindowKeeper keeper;
    QWidget* parent = WidgetOf(owner);
    if (!parent) parent = QApplication::activeWindow();
    QMessageBox box(IconOf(style), FromSjis(caption), FromSjis(text), ButtonsOf(style), parent);
    box.setDefaultButton(DefaultButtonOf(style));
    // Cancel of an OK/Cancel box ends the program (theFerrox.Error): only a
    // click on it cancels; Escape and the frame's close button answer OK.
    if ((style & MB_TYPEMASK) == MB_OKCANCEL) box.setEscapeButton(QMessageBox::Ok);
    const int pressed = box.exec();
    // Closing the box with its frame answers as Escape would: cancel, or the default.
    if (pressed == 0 || pressed == QMessageBox::Escape) return Frx::DefaultMessageBoxAnswer(style);
    return AnswerOf(static_cast<QMessageBox::StandardButton>(pressed));
  });
}

}  // namespace HostQt
