#include "ui/qt_platform.h"

#include <iconv.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

#include "ui/board_view.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

namespace {

// Convert between UTF-8 and the Windows Japanese code page; characters it lacks become "?".
std::string Convert(const char* to, const char* from, const std::string& text) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out;
  char buffer[256];
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // Skip one character that has no form in the target.
      out += '?';
      size_t skip = 1;
      if (std::strcmp(from, "UTF-8") == 0)
        while (skip < inLeft && (static_cast<uint8_t>(in[skip]) & 0xC0) == 0x80) ++skip;
      in += skip;
      inLeft -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

QMessageBox::Icon BoxIcon(uint32_t icon) {
  switch (icon) {
    case IconExclamation: return QMessageBox::Warning;
    case IconStop: return QMessageBox::Critical;
    case IconQuestion: return QMessageBox::Question;
    case IconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

std::vector<uint8_t> ClipboardAnsiBytes(const std::string& utf8) {
  // Line ends become CR LF, so a spreadsheet row copied here still closes its last field.
  std::string text;
  text.reserve(utf8.size() + 16);
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) text += '\r';
    text += utf8[i];
  }
  const std::string sjis = Convert("CP932", "UTF-8", text);
  std::vector<uint8_t> bytes(sjis.begin(), sjis.end());
  bytes.push_back(0);
  return bytes;
}

std::vector<uint8_t> ClipboardUnicodeBytes(const std::string& utf8) {
  const QString text = Utf8(utf8);
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(text.size()) * 2 + 2);
  for (QChar ch : text) {
    bytes.push_back(static_cast<uint8_t>(ch.unicode() & 0xFF));
    bytes.push_back(static_cast<uint8_t>(ch.unicode() >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

std::string ClipboardTextFromAnsi(const std::vector<uint8_t>& bytes) {
  std::string text(bytes.begin(), bytes.end());
  const size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return Convert("UTF-8", "CP932", text);
}

bool QtPlatform::LogAppend(const std::string& line, bool caret) {
  return window_->LogAppend(Utf8(line), caret);
}

void QtPlatform::LogClear() { window_->LogClear(); }

uint32_t QtPlatform::MessageBox(const std::string& text, const std::string& title, uint32_t icon,
                                uint32_t buttons) {
  QMessageBox box(BoxIcon(icon), Utf8(title), Utf8(text), QMessageBox::NoButton, window_);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  QPushButton* cancel = nullptr;
  if (buttons == ButtonsOkCancel) cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(ok);
  if (cancel) box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == ok || (!cancel && box.clickedButton() == nullptr) ? AnswerOk : AnswerCancel;
}

void QtPlatform::SetStatus(uint32_t part, const std::string& text) { window_->SetStatusText(part, Utf8(text)); }

void QtPlatform::SetTitle(const std::string& text) { window_->setWindowTitle(Utf8(text)); }

void QtPlatform::Repaint() { window_->Board()->update(); }

void QtPlatform::RepaintCell(uint32_t cell) { window_->RepaintCell(cell); }

void QtPlatform::DrainMessages() { window_->DrainMessages(); }

std::string QtPlatform::ChooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(window_, Utf8(request.title));
  dialog.setAcceptMode(request.forSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.forSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The writers never replace a file, so the dialog need not ask about it.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  QStringList filters;
  for (const auto& [label, pattern] : request.filters)
    filters << QStringLiteral("%1 (%2)").arg(Utf8(label), Utf8(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')));
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(Utf8(request.defaultExtension));
  dialog.setDirectory(request.initialDir.empty() ? QDir::currentPath() : Utf8(request.initialDir));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return ToUtf8(dialog.selectedFiles().first());
}

bool QtPlatform::ClipboardRead(std::vector<ClipboardItem>& items) {
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard) return false;
  items.clear();
  const QString text = clipboard->text();
  if (text.isEmpty()) {
    // Something without text (a picture, files of another program): the formats are listed
    // so that the reader says there is no text, not that the clipboard is empty.
    const QMimeData* data = clipboard->mimeData();
    if (data && !data->formats().isEmpty())
      items.push_back({data->hasImage() ? ClipBitmap : ClipWave, {}});
    return true;
  }
  const std::string utf8 = ToUtf8(text);
  items.push_back({ClipUnicodeText, ClipboardUnicodeBytes(utf8)});
  items.push_back({ClipText, ClipboardAnsiBytes(utf8)});
  return true;
}

bool QtPlatform::ClipboardWriteText(const std::vector<uint8_t>& bytes) {
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(Utf8(ClipboardTextFromAnsi(bytes)));
  return true;
}

void QtPlatform::MenuCheck(uint32_t id, bool checked) {
  if (QAction* a = window_->MenuAction(id)) a->setChecked(checked);
}

void QtPlatform::MenuEnable(uint32_t id, bool enabled) { window_->EnableCommand(id, enabled); }

void QtPlatform::OpenPanel(uint32_t panel) { window_->OpenPanel(panel); }

void QtPlatform::ClosePanel(uint32_t panel) { window_->ClosePanel(panel); }

void QtPlatform::ShowToolbar(uint32_t mode) { window_->ShowToolbarFor(mode); }

void QtPlatform::Dialog(uint32_t id, const std::string&) { RunDialog(id, window_); }

void QtPlatform::ListContents(const std::string& name, const std::vector<std::string>& lines) {
  // The candidate list dialog fills its own list and the alternate view is painted on the
  // board; only the usage window shows lists handed over here.
  if (name != "候補使用状況") return;
  if (QWidget* panel = window_->Panel(PanelCandidateUsage)) FillPanelList(panel, lines);
}
