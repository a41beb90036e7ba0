// lumacet-host: shows the player control on a page, as a web page would: it
// makes the control, loads the page's properties into it, places its window,
// makes the page's calls in order and prints the events it receives.
//
//   lumacet-host [options] page
//     --exit-after-periods N   quit after the Nth MotionPeriod event
//     --exit-after-ms N        quit after N milliseconds (status 3 when the
//                              periods asked for did not all come)
//     --screenshot FILE        save the page as an image when quitting
//     --registered             make the control through the per-user
//                              registration instead of the program folder
//   lumacet-host --register | --unregister
// The status is 4 when a call of the page failed.
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Lumacet/ISavoraPlayer.h"
#include "Lumacet/SavoraPlayerEvents.h"
#include "Lumacet/host/PageFile.h"
#include "platform/com/ComString.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/OleControl.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/Server.h"
#include "platform/module/Module.h"

namespace {

struct Options {
  const char* page = nullptr;
  long exitAfterPeriods = 0;
  long exitAfterMs = 0;
  bool registered = false;
  const char* screenshot = nullptr;
};

class EventPrinter final : public SavoraPlayerEventSink {
 public:
  explicit EventPrinter(long exitAfter) : exitAfter_(exitAfter) {}
  void ClickIn(int32_t x, int32_t y) override { Print("ClickIn " + std::to_string(x) + " " + std::to_string(y)); }
  void MotionPeriod(const std::u16string& motion, int32_t isend, int32_t loopcount) override {
    Print("MotionPeriod " + Com::ToUtf8(motion) + " " + std::to_string(isend) + " " + std::to_string(loopcount));
    if (exitAfter_ > 0 && ++periods_ >= exitAfter_) {
      std::printf("lumacet-host: %ld MotionPeriod events, done\n", periods_);
      QCoreApplication::quit();
    }
  }

 private:
  static void Print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }
  long exitAfter_;
  long periods_ = 0;
};

bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto number = [&](long* out) {
      if (i + 1 >= argc) return false;
      char* end = nullptr;
      *out = std::strtol(argv[++i], &end, 10);
      return *end == '\0' && *out >= 0;
    };
    if (a == "--exit-after-periods") {
      if (!number(&o->exitAfterPeriods)) return false;
    } else if (a == "--exit-after-ms") {
      if (!number(&o->exitAfterMs)) return false;
    } else if (a == "--screenshot") {
      if (i + 1 >= argc) return false;
      o->screenshot = argv[++i];
    } else if (a == "--registered") {
      o->registered = true;
    } else if (!a.empty() && a[0] != '-' && !o->page) {
      o->page = argv[i];
    } else {
      return false;
    }
  }
  return o->page != nullptr;
}

// The page's relative paths are the page folder's, as a browser resolves a
// page's relative addresses; URLs and absolute paths pass unchanged.
std::string Resolve(const std::string& arg, const std::string& folder) {
  if (arg.empty() || arg[0] == '/') return arg;
  const size_t colon = arg.find(':'), slash = arg.find('/');
  if (colon != std::string::npos && (slash == std::string::npos || colon < slash)) return arg;
  return folder + arg;
}

ISavoraPlayer* MakeControl(bool registered) {
  void* made = nullptr;
  if (registered) {
    CLSID clsid{};
    if (!Com::ClassFromName("Lumacet.SavoraPlayer", &clsid)) {
      std::fprintf(stderr, "lumacet-host: Lumacet.SavoraPlayer is not registered (lumacet-host --register)\n");
      return nullptr;
    }
    const HRESULT hr = Com::CreateInstance(clsid, IID_ISavoraPlayer, &made);
    if (FAILED(hr)) std::fprintf(stderr, "lumacet-host: the registered control failed (0x%08X)\n", static_cast<unsigned>(hr));
    return static_cast<ISavoraPlayer*>(made);
  }
  HMODULE module = LoadLibraryA("lumacet.dll");
  auto entry = module ? reinterpret_cast<HRESULT (*)(REFCLSID, REFIID, void**)>(GetProcAddress(module, "DllGetClassObject"))
                      : nullptr;
  IClassFactory* factory = nullptr;
  if (!entry || FAILED(entry(CLSID_SavoraPlayer, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    std::fprintf(stderr, "lumacet-host: cannot load lumacet.so from the program folder: %s\n",
                 Platform::LastModuleError().c_str());
    return nullptr;
  }
  factory->CreateInstance(nullptr, IID_ISavoraPlayer, &made);
  factory->Release();
  return static_cast<ISavoraPlayer*>(made);
}

// One call of the page through the control's dispatch interface; false when it failed.
bool MakeCall(ISavoraPlayer* player, const LumacetHost::Call& call, const std::string& folder) {
  DISPID id = 0;
  const std::u16string name = Com::FromUtf8(call.name);
  HRESULT hr = player->GetIDsOfNames(name.c_str(), &id);
  DISPPARAMS params;
  for (auto a = call.args.rbegin(); a != call.args.rend(); ++a) {
    const std::string text = id == DISPID_PLAYER_IMPORT ? Resolve(*a, folder) : *a;
    params.args.push_back(VARIANT::Bstr(Com::FromUtf8(text)));
  }
  if (SUCCEEDED(hr)) hr = player->Invoke(id, call.put ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD, params, nullptr);
  std::string shown = call.name;
  for (const std::string& a : call.args) shown += " " + a;
  if (FAILED(hr)) std::printf("call %s: failed (0x%08X)\n", shown.c_str(), static_cast<unsigned>(hr));
  else std::printf("call %s\n", shown.c_str());
  std::fflush(stdout);
  return SUCCEEDED(hr);
}

template <class T>
T* Query(IUnknown* object, REFIID iid) {
  void* out = nullptr;
  return SUCCEEDED(object->QueryInterface(iid, &out)) ? static_cast<T*>(out) : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--register") == 0 || std::strcmp(argv[1], "--unregister") == 0)) {
    const bool undo = argv[1][2] == 'u';
    const HRESULT hr = Com::RegisterServer("lumacet.dll", undo);
    std::printf("%s: %s\n", undo ? "unregistered" : "registered", SUCCEEDED(hr) ? "ok" : "failed");
    return SUCCEEDED(hr) ? 0 : 1;
  }
  QApplication app(argc, argv);
  // Numbers are read and written in the C locale whatever Qt chose.
  std::setlocale(LC_NUMERIC, "C");
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: lumacet-host [--exit-after-periods N] [--exit-after-ms N] [--screenshot FILE]\n"
                 "                    [--registered] page\n"
                 "       lumacet-host --register | --unregister\n");
    return 2;
  }
  LumacetHost::Page page;
  std::string error;
  if (!LumacetHost::ReadPage(options.page, &page, &error)) {
    std::fprintf(stderr, "lumacet-host: %s\n", error.c_str());
    return 2;
  }
  std::string folder = options.page;
  folder = folder.find('/') == std::string::npos ? std::string() : folder.substr(0, folder.rfind('/') + 1);

  ISavoraPlayer* player = MakeControl(options.registered);
  if (!player) return 1;
  Com::PropertyBag bag;
  for (const auto& [name, value] : page.properties) bag.Write(Com::FromUtf8(name).c_str(), VARIANT::Bstr(Com::FromUtf8(value)));
  if (auto* persist = Query<IPersistPropertyBag>(player, IID_IPersistPropertyBag)) {
    persist->Load(&bag);
    persist->Release();
  }
  EventPrinter printer(options.exitAfterPeriods);
  IConnectionPoint* point = nullptr;
  uint32_t cookie = 0;
  if (auto* container = Query<IConnectionPointContainer>(player, IID_IConnectionPointContainer)) {
    if (SUCCEEDED(container->FindConnectionPoint(DIID__ISavoraPlayerEvents, &point))) point->Advise(&printer, &cookie);
    container->Release();
  }

  QWidget window;
  window.setWindowTitle(QString::fromUtf8(page.title.c_str()));
  window.resize(page.width, page.height);
  // Made first, so they lie beneath the control.
  for (const LumacetHost::Button& b : page.buttons) {
    auto* button = new QPushButton(QString::fromUtf8(b.label.c_str()), &window);
    button->setGeometry(b.x, b.y, b.width, b.height);
    QObject::connect(button, &QPushButton::clicked, [label = b.label] {
      std::printf("button %s clicked\n", label.c_str());
      std::fflush(stdout);
    });
  }
  window.show();
  auto* control = Query<IOleControlWindow>(player, IID_IOleControlWindow);
  if (!control || FAILED(control->CreateControlWindow(&window, page.x, page.y)))
    std::fprintf(stderr, "lumacet-host: the control made no window\n");
  bool callsFailed = false;
  for (const LumacetHost::Call& call : page.calls) callsFailed = !MakeCall(player, call, folder) || callsFailed;
  if (options.exitAfterMs > 0)
    QTimer::singleShot(static_cast<int>(options.exitAfterMs), &app, [&] {
      std::printf("lumacet-host: %ld ms, done\n", options.exitAfterMs);
      QCoreApplication::exit(options.exitAfterPeriods > 0 ? 3 : 0);
    });
  int result = app.exec();
  if (options.screenshot && !window.grab().save(QString::fromLocal8Bit(options.screenshot)))
    std::fprintf(stderr, "lumacet-host: cannot write %s\n", options.screenshot);
  if (result == 0 && callsFailed) result = 4;

  if (point) {
    point->Unadvise(cookie);
    point->Release();
  }
  if (control) {
    control->DestroyControlWindow();
    control->Release();
  }
  player->Release();
  return result;
}
