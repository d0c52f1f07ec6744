#include "platform/headless/headless.h"

#include "platform/menu_layout.h"

HeadlessState Headless;

namespace {
int Index(MenuItem item) { return static_cast<int>(item); }

template <typename T>
std::optional<T> TakeAnswer(std::deque<std::optional<T>>& queue) {
  if (queue.empty()) return std::nullopt;
  std::optional<T> answer = queue.front();
  queue.pop_front();
  return answer;
}
}  // namespace

void HeadlessReset() {
  Headless = HeadlessState{};
  for (int i = 0; i < static_cast<int>(MenuItem::Count); ++i) Headless.Enabled[i] = true;
  for (int i = 0; i < MainMenuEntryCount; ++i) {
    const MenuEntry& e = MainMenuEntries[i];
    if (e.HasItem) Headless.Checked[Index(e.Item)] = e.CheckedAtStart;
  }
}

bool HeadlessChecked(MenuItem item) { return Headless.Checked[Index(item)]; }

void SysSetCaption(const std::string& caption) {
  Headless.Caption = caption;
  Headless.CaptionHistory.push_back(caption);
}
std::string SysCaption() { return Headless.Caption; }

void SysClientSize(int& width, int& height) {
  width = Headless.ClientWidth;
  height = Headless.ClientHeight;
}

void SysCloseMainWindow() { Headless.CloseRequested = true; }

void SysStartTimer() {
  Headless.TimerRunning = true;
  ++Headless.TimerStarts;
}
void SysStopTimer() {
  Headless.TimerRunning = false;
  ++Headless.TimerStops;
}
bool SysTimerRunning() { return Headless.TimerRunning; }

bool SysMenuChecked(MenuItem item) { return Headless.Checked[Index(item)]; }

void SysSetMenuChecked(MenuItem item, bool checked) {
  const MenuEntry* entry = FindMenuEntry(item);
  if (checked && entry && entry->Kind == MenuKind::Radio) {
    for (int i = 0; i < MainMenuEntryCount; ++i) {
      const MenuEntry& other = MainMenuEntries[i];
      if (other.HasItem && other.Kind == MenuKind::Radio && other.Group == entry->Group)
        Headless.Checked[Index(other.Item)] = false;
    }
  }
  Headless.Checked[Index(item)] = checked;
}

bool SysMenuEnabled(MenuItem item) { return Headless.Enabled[Index(item)]; }
void SysSetMenuEnabled(MenuItem item, bool enabled) { Headless.Enabled[Index(item)] = enabled; }

void SysSetColorSwatch(int index, SysColor fill) {
  if (index >= 1 && index <= 6) Headless.Swatches[index] = fill;
  ++Headless.SwatchPaints;
}

void SysSetFileDialogs(const std::string& initialDirectory, const std::string& filter) {
  Headless.DialogDirectory = initialDirectory;
  Headless.DialogFilter = filter;
}

bool SysOpenFileDialog(std::string& fileName) {
  ++Headless.OpenDialogRuns;
  std::optional<std::string> answer = TakeAnswer(Headless.OpenAnswers);
  if (!answer) return false;
  Headless.OpenDialogName = *answer;
  fileName = *answer;
  return true;
}

bool SysSaveFileDialog(std::string& fileName) {
  ++Headless.SaveDialogRuns;
  std::optional<std::string> answer = TakeAnswer(Headless.SaveAnswers);
  if (!answer) return false;
  fileName = *answer;
  return true;
}

bool SysChooseColor(SysColor& colour) {
  Headless.ColorDialogStarts.push_back(colour);
  std::optional<SysColor> answer = TakeAnswer(Headless.ColorAnswers);
  if (!answer) return false;
  colour = *answer;
  return true;
}

void SysMessageBox(const std::string& text, const std::string& caption) {
  Headless.Messages.push_back({text, caption, false});
}

bool SysAskOkCancel(const std::string& text, const std::string& caption) {
  Headless.Messages.push_back({text, caption, true});
  if (Headless.OkCancelAnswers.empty()) return false;
  bool ok = Headless.OkCancelAnswers.front();
  Headless.OkCancelAnswers.pop_front();
  return ok;
}

void SysShowAbout() { ++Headless.AboutShown; }

void SysShowHelp() { ++Headless.HelpShown; }

void SysShowSolution(bool shown) { Headless.SolutionShown = shown; }
void SysSolutionChanged() { ++Headless.SolutionChanges; }
std::string SysClipboardText() { return Headless.Clipboard; }
void SysSetClipboardText(const std::string& text) { Headless.Clipboard = text; }

bool SysReadSetting(const std::string& key, std::string& value) {
  const auto found = Headless.Settings.find(key);
  if (found == Headless.Settings.end()) return false;
  value = found->second;
  return true;
}

bool SysWriteSetting(const std::string& key, const std::string& value) {
  ++Headless.SettingWrites;
  if (Headless.SettingsReadOnly) return false;
  Headless.Settings[key] = value;
  return true;
}

void SysProcessEvents() {
  ++Headless.ProcessEventsCalls;
  if (Headless.OnProcessEvents) Headless.OnProcessEvents();
}

bool SysCreateRenderContext() {
  Headless.RenderContextCreated = Headless.RenderContextAvailable;
  return Headless.RenderContextAvailable;
}

bool SysMakeCurrent() { return Headless.RenderContextAvailable; }

void SysRedraw() {
  ++Headless.Redraws;
  if (Headless.OnRedraw) Headless.OnRedraw();
}

void SysReleaseRenderContext() { Headless.RenderContextCreated = false; }
