#include "launcher/DialogLoop.h"

#include <vector>

#include "launcher/Dialog.h"
#include "launcher/LauncherWindow.h"

namespace {

class DialogOverMenu {
 public:
  explicit DialogOverMenu(Dialog& dialog)
      : m_dialog(dialog),
        m_state(GetLauncherState()),
        m_menu(m_state.backBuffer),
        m_x((m_state.width - dialog.Width()) / 2),
        m_y((m_state.height - dialog.Height()) / 2) {}
  ~DialogOverMenu() {
    if (m_state.backBuffer.size() == m_menu.size()) m_state.backBuffer = m_menu;
    if (m_state.window != nullptr) platform::PostAppMessage(m_state.window, platform::WM_PAINT, 0, 0);
  }

  void Paint() {
    if (m_state.window == nullptr || m_state.backBuffer.size() != m_menu.size() || m_menu.empty()) return;
    m_state.backBuffer = m_menu;
    DialogCanvas canvas(m_state.backBuffer.data(), m_state.stride, m_state.width, m_state.height, m_x, m_y);
    m_dialog.Draw(canvas);
    platform::ShowBgrImage(m_state.window, m_state.backBuffer.data(), m_state.width, m_state.height, m_state.stride);
  }

  void Handle(const platform::Message& m) {
    using namespace platform;
    const int x = PointParamX(m.lParam) - m_x, y = PointParamY(m.lParam) - m_y;
    switch (m.message) {
      case WM_MOUSEMOVE:
        m_dialog.MouseMove(x, y);
        break;
      case WM_LBUTTONDOWN:
        m_dialog.LeftDown(x, y);
        break;
      case WM_LBUTTONUP:
        m_dialog.LeftUp(x, y);
        break;
      case WM_KEYDOWN:
        m_dialog.KeyDown(static_cast<int>(m.wParam));
        break;
      case WM_CLOSE:
        m_dialog.SendCommand(IDCANCEL);
        PostAppMessage(m.window, WM_CLOSE, 0, 0);
        break;
      case WM_PAINT:
        break;
      default:
        DispatchAppMessage(m);
        break;
    }
  }

 private:
  Dialog& m_dialog;
  LauncherState& m_state;
  const std::vector<uint8_t> m_menu;
  int m_x, m_y;
};

}  // namespace

int RunModalDialog(Dialog& dialog) {
  dialog.Start();
  // Without the menu window there is nothing to show it over.
  if (!dialog.Ended() && GetLauncherState().window == nullptr) dialog.SendCommand(IDCANCEL);
  if (dialog.Ended()) return dialog.Result();
  DialogOverMenu over(dialog);
  over.Paint();
  platform::Message message;
  while (!dialog.Ended()) {
    if (!platform::GetAppMessage(&message)) {
      dialog.SendCommand(IDCANCEL);
      platform::PostQuitMessage(static_cast<int>(static_cast<intptr_t>(message.wParam)));
      break;
    }
    over.Handle(message);
    if (!dialog.Ended()) over.Paint();
  }
  return dialog.Result();
}
