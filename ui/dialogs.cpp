#include "ui/dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "board/platform.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/dialogs.h"
#include "drivers/frame.h"
#include "drivers/placement.h"
#include "drivers/technique_commands.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

namespace {

// A panel button's command runs after the event that pressed it, and after any command in
// progress: never inside another command.
void PostLater(QWidget* mainWindow, uint32_t id) {
  QTimer::singleShot(0, mainWindow, [mainWindow, id] {
    if (auto* main = qobject_cast<MainWindow*>(mainWindow))
      main->PostCommand(id);
    else
      RunCommand(id);
  });
}

// "OK" and "ｷｬﾝｾﾙ" for a modal dialog.
QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* box = new QDialogButtonBox(dialog);
  box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName("ok");
  box->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)->setObjectName("cancel");
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

QString Id(uint32_t id) { return QString::number(id); }

// A field of at most `units` UTF-16 units that never keeps half of a character: Qt's own
// length limit would cut a surrogate pair in two.
void LimitUnits(QLineEdit* field, int units) {
  auto cut = [field, units] {
    const QString text = field->text();
    if (text.size() <= units) return;
    int n = units;
    if (text.at(n - 1).isHighSurrogate()) --n;
    const int cursor = std::min(field->cursorPosition(), n);
    field->setText(text.left(n));
    field->setCursorPosition(cursor);
  };
  QObject::connect(field, &QLineEdit::textChanged, field, cut);
  cut();
}

// ---- Colour swatches: the item's palette colour inset, a black frame 4 pixels in when the
// item is selected, a grey frame 2 pixels in when it has the focus, else the window colour.
constexpr int kSwatchInset = 2;

void DrawSwatch(QPainter* p, QRect r, const QColor& colour, bool selected, bool focus, const QColor& window) {
  p->fillRect(r, window);
  r.adjust(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
  p->fillRect(r, colour);
  p->setBrush(Qt::NoBrush);
  p->setPen(selected ? QColor(Qt::black) : window);
  p->drawRect(r.adjusted(4, 4, -5, -5));
  p->setPen(focus ? QColor(Qt::gray) : window);
  p->drawRect(r.adjusted(2, 2, -3, -3));
}

class SwatchDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    p->save();
    DrawSwatch(p, option.rect, PaletteColour(index.row()), option.state & QStyle::State_Selected,
               option.state & QStyle::State_HasFocus, option.palette.color(QPalette::Base));
    p->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {72, 22}; }
};

QIcon SwatchIcon(int index) {
  QPixmap pixmap(56, 14);
  pixmap.fill(PaletteColour(index));
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 55, 13);
  return QIcon(pixmap);
}

// A list of the 16 palette entries; a role of 16 selects none.
QComboBox* ColourList(QWidget* parent, uint32_t id, int32_t role) {
  auto* box = new QComboBox(parent);
  box->setObjectName(Id(id));
  box->setIconSize({56, 14});
  box->setItemDelegate(new SwatchDelegate(box));
  for (int i = 0; i < 16; ++i) box->addItem(SwatchIcon(i), QString());
  box->setCurrentIndex(role >= 0 && role < 16 ? role : -1);
  box->setMinimumWidth(96);
  return box;
}

int32_t ListRole(const QComboBox* box, int32_t fallback) {
  return box->currentIndex() >= 0 ? box->currentIndex() : fallback;
}

// Nine colour lists in a 3×3 grid of label and list.
void AddColourLists(QGridLayout* grid, QWidget* parent, const int32_t roles[kColourRoleCount], bool second,
                    QComboBox* lists[kColourRoleCount]) {
  for (uint32_t i = 0; i < kColourRoleCount; ++i) {
    const ColourRole& role = kColourRoles[i];
    auto* label = new QLabel(Utf8(second ? role.secondLabel : role.label), parent);
    lists[i] = ColourList(parent, role.listId, roles[i]);
    label->setBuddy(lists[i]);
    grid->addWidget(label, static_cast<int>(i / 3) * 2, static_cast<int>(i % 3));
    grid->addWidget(lists[i], static_cast<int>(i / 3) * 2 + 1, static_cast<int>(i % 3));
  }
}

void Repaint() { P().Repaint(); }

// ---- 290 "設定の変更"
void SettingsDialog(QWidget* mainWindow) {
  QDialog dialog(mainWindow);
  dialog.setWindowTitle(QStringLiteral("設定の変更"));
  int32_t values[kSettingsGroupCount];
  SettingsDialogValues(values);
  auto* layout = new QVBoxLayout(&dialog);
  auto* grid = new QGridLayout;
  QButtonGroup* groups[kSettingsGroupCount];
  for (uint32_t i = 0; i < kSettingsGroupCount; ++i) {
    const RadioGroup& group = kSettingsGroups[i];
    auto* box = new QGroupBox(Utf8(group.title), &dialog);
    auto* row = new QHBoxLayout(box);
    groups[i] = new QButtonGroup(box);
    for (uint32_t k = 0; k < group.count; ++k) {
      auto* radio = new QRadioButton(Utf8(group.buttons[k].label), box);
      radio->setObjectName(Id(group.buttons[k].id));
      radio->setChecked(group.buttons[k].value == values[i]);
      groups[i]->addButton(radio, group.buttons[k].value);
      row->addWidget(radio);
    }
    row->addStretch();
    grid->addWidget(box, static_cast<int>(i / 2), static_cast<int>(i % 2));
  }
  layout->addLayout(grid);
  layout->addWidget(OkCancel(&dialog));
  if (dialog.exec() != QDialog::Accepted) return;
  for (uint32_t i = 0; i < kSettingsGroupCount; ++i) values[i] = groups[i]->checkedId();
  SettingsDialogOk(values);
}

// ---- 130 "設定変更"
void DisplayDialog(QWidget* mainWindow) {
  QDialog dialog(mainWindow);
  dialog.setWindowTitle(QStringLiteral("設定変更"));
  DisplayChoice choice = DisplayDialogValues();
  auto* layout = new QVBoxLayout(&dialog);
  auto* colours = new QGroupBox(&dialog);
  auto* grid = new QGridLayout(colours);
  QComboBox* lists[kColourRoleCount];
  AddColourLists(grid, colours, choice.colour, false, lists);
  layout->addWidget(colours);

  auto* glyphs = new QGroupBox(QStringLiteral("表示文字"), &dialog);
  auto* glyphGrid = new QGridLayout(glyphs);
  auto* glyphGroup = new QButtonGroup(glyphs);
  for (uint32_t k = 0; k < 7; ++k) {
    auto* radio = new QRadioButton(Utf8(kGlyphSetChoices[k].label), glyphs);
    radio->setObjectName(Id(kGlyphSetChoices[k].id));
    radio->setChecked(kGlyphSetChoices[k].value == choice.glyphSet);
    glyphGroup->addButton(radio, kGlyphSetChoices[k].value);
    glyphGrid->addWidget(radio, static_cast<int>(k / 4), static_cast<int>(k % 4));
  }
  auto* custom = new QLineEdit(Utf8(choice.customText), glyphs);
  custom->setObjectName(Id(1570));
  LimitUnits(custom, static_cast<int>(kCustomFieldLimit));
  glyphGrid->addWidget(custom, 2, 0, 1, 4);
  layout->addWidget(glyphs);
  layout->addWidget(OkCancel(&dialog));
  if (dialog.exec() != QDialog::Accepted) return;
  for (uint32_t i = 0; i < kColourRoleCount; ++i) choice.colour[i] = ListRole(lists[i], choice.colour[i]);
  if (glyphGroup->checkedId() >= 0) choice.glyphSet = glyphGroup->checkedId();
  choice.customText = ToUtf8(custom->text());
  DisplayDialogOk(choice);
}

// ---- 1241 "第二表示色設定"
void SecondColourDialog(QWidget* mainWindow) {
  QDialog dialog(mainWindow);
  dialog.setWindowTitle(QStringLiteral("第二表示色設定"));
  SecondColourChoice choice = SecondColourDialogValues();
  auto* layout = new QVBoxLayout(&dialog);
  auto* grid = new QGridLayout;
  QComboBox* lists[kColourRoleCount];
  AddColourLists(grid, &dialog, choice.colour, true, lists);
  layout->addLayout(grid);
  auto* use = new QCheckBox(QStringLiteral("第二表示色使用"), &dialog);
  use->setObjectName(Id(1360));
  use->setChecked(choice.inUse != 0);
  layout->addWidget(use);
  layout->addWidget(OkCancel(&dialog));
  if (dialog.exec() != QDialog::Accepted) return;
  for (uint32_t i = 0; i < kColourRoleCount; ++i) choice.colour[i] = ListRole(lists[i], choice.colour[i]);
  choice.inUse = use->isChecked() ? 1 : 0;
  SecondColourDialogOk(choice);
}

QColor FromBgr(uint32_t c) { return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c))); }
uint32_t ToBgr(const QColor& c) {
  return ColourFromRgb(static_cast<uint32_t>(c.red()), static_cast<uint32_t>(c.green()), static_cast<uint32_t>(c.blue()));
}

// ---- 3030 "色変更..."
void ColourChooser(QWidget* mainWindow) {
  for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, FromBgr(g.settings.baseColor[i]));
  QColorDialog dialog(FromBgr(g.chooserColour), mainWindow);
  dialog.setObjectName("colourChooser");
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return;
  uint32_t custom[16];
  for (int i = 0; i < 16; ++i) custom[i] = ToBgr(QColorDialog::customColor(i));
  ColourChooserOk(ToBgr(dialog.currentColor()), custom);
}

// ---- 170, 180, 190 "文字Font"
void FontChooser(QWidget* mainWindow) {
  const FontChoice now = FontDialogValues();
  QFontDialog dialog(FontFromSettings(now.face, now.height, now.weight, now.italic), mainWindow);
  dialog.setObjectName("fontChooser");
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return;
  const QFont font = dialog.selectedFont();
  FontChoice choice;
  // The stored name stays when the face shown for it was kept (a Windows name maps to a
  // Noto face here; it must not be replaced just by pressing OK).
  choice.face = font.family() == InstalledFace(now.face) ? now.face : ToUtf8(font.family());
  int pixels = font.pixelSize();
  if (pixels <= 0) {
    const qreal dpi = mainWindow && mainWindow->screen() ? mainWindow->screen()->logicalDotsPerInchY() : 96.0;
    pixels = static_cast<int>(font.pointSizeF() * dpi / 72.0 + 0.5);
  }
  choice.height = -pixels;
  choice.weight = static_cast<int32_t>(font.weight());
  choice.italic = font.italic() ? 1 : 0;
  FontDialogOk(choice);
  RebuildFonts();
  Repaint();
}

// ---- 1190 "画面の編集"
void EditDialog(QWidget* mainWindow) {
  QDialog dialog(mainWindow);
  dialog.setWindowTitle(QStringLiteral("画面の編集"));
  EditDialogOpen();
  auto* layout = new QVBoxLayout(&dialog);
  auto* grid = new QGridLayout;
  for (uint32_t i = 0; i < 8; ++i) {
    const EditButtonGroup& group = kEditButtonGroups[i];
    auto* box = new QGroupBox(Utf8(group.title), &dialog);
    auto* row = new QHBoxLayout(box);
    for (uint32_t k = 0; k < 3; ++k) {
      const uint32_t id = group.firstButton + 10 * k;
      auto* button = new QPushButton(Utf8(group.labels[k]), box);
      button->setObjectName(Id(id));
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, &dialog, [id] { EditDialogButton(id); });
      row->addWidget(button);
    }
    // Blocks first, then the three bands, then the three stacks.
    const int r = i < 2 ? static_cast<int>(i) : i < 5 ? static_cast<int>(i) - 2 : static_cast<int>(i) - 5;
    const int c = i < 2 ? 0 : i < 5 ? 1 : 2;
    grid->addWidget(box, r, c);
  }
  layout->addLayout(grid);
  layout->addWidget(OkCancel(&dialog));
  EditDialogClose(dialog.exec() == QDialog::Accepted);
}

// ---- 3000 "保存ファイル名自動生成"
void AutoNameDialog(QWidget* mainWindow) {
  QDialog dialog(mainWindow);
  dialog.setWindowTitle(QStringLiteral("保存ファイル名自動生成"));
  AutoNameChoice choice = AutoNameDialogValues();
  auto* layout = new QGridLayout(&dialog);
  auto* name = new QLineEdit(Utf8(choice.baseName), &dialog);
  name->setObjectName(Id(1570));
  LimitUnits(name, static_cast<int>(kBaseNameLimit));
  name->setMinimumWidth(220);
  auto* count = new QSpinBox(&dialog);
  count->setObjectName(Id(1580));
  count->setRange(0, kAutoCountMax);
  count->setValue(choice.count);
  auto* digits = new QSpinBox(&dialog);
  digits->setObjectName(Id(2910));
  digits->setRange(kAutoDigitsMin, kAutoDigitsMax);
  digits->setValue(choice.digits);
  auto* flag = new QCheckBox(QStringLiteral("ファイル名自動生成機能使用"), &dialog);
  flag->setObjectName(Id(1360));
  flag->setChecked(choice.flag != 0);
  layout->addWidget(new QLabel(QStringLiteral("基準ファイル名"), &dialog), 0, 0);
  layout->addWidget(name, 0, 1, 1, 3);
  layout->addWidget(new QLabel(QStringLiteral("番号"), &dialog), 1, 0);
  layout->addWidget(count, 1, 1);
  layout->addWidget(new QLabel(QStringLiteral("桁数"), &dialog), 1, 2);
  layout->addWidget(digits, 1, 3);
  layout->addWidget(flag, 2, 0, 1, 4);
  layout->addWidget(OkCancel(&dialog), 3, 0, 1, 4);
  dialog.adjustSize();
  if (mainWindow) {
    const QRect main = mainWindow->frameGeometry();
    const QScreen* screen = mainWindow->screen();
    const int screenRight = screen ? screen->availableGeometry().right() : main.right() + dialog.width() + 2;
    int32_t left = 0, top = 0;
    PlacePanel(main.left(), main.top(), main.right(), screenRight, dialog.frameGeometry().width(), kNotPlaced,
               left, top);
    dialog.move(left, top);
  }
  // A refused base name leaves the dialog open with what was typed.
  while (dialog.exec() == QDialog::Accepted)
    if (AutoNameDialogOk({ToUtf8(name->text()), count->value(), digits->value(), flag->isChecked() ? 1 : 0})) return;
}

// ---- 1150 "候補リスト表示"
void FillCandidateList(QLabel* label, QListWidget* list, uint32_t digit) {
  std::vector<std::string> lines = CandidateListLines(digit);
  list->clear();
  if (lines.empty()) return;
  label->setText(Utf8(lines.front()));
  for (size_t i = 1; i < lines.size(); ++i) list->addItem(Utf8(lines[i]));
}

void CandidateListDialog(QWidget* mainWindow) {
  QDialog dialog(mainWindow);
  dialog.setWindowTitle(QStringLiteral("候補リスト表示"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(&dialog);
  label->setObjectName(Id(1660));
  auto* list = new QListWidget(&dialog);
  list->setObjectName(Id(1560));
  QFont font = list->font();
  font.setPixelSize(16);
  list->setFont(font);
  auto* steps = new QHBoxLayout;
  auto* raise = new QPushButton(QStringLiteral("増加"), &dialog);
  raise->setObjectName(Id(kListRaise));
  auto* lower = new QPushButton(QStringLiteral("減少"), &dialog);
  lower->setObjectName(Id(kListLower));
  for (QPushButton* b : {raise, lower}) b->setAutoDefault(false);
  steps->addWidget(label);
  steps->addStretch();
  steps->addWidget(raise);
  steps->addWidget(lower);
  layout->addLayout(steps);
  layout->addWidget(list);
  layout->addWidget(OkCancel(&dialog));
  auto digit = std::make_shared<uint32_t>(1);
  FillCandidateList(label, list, *digit);
  // The whole board without a scroll bar.
  list->setMinimumSize(list->sizeHintForColumn(0) + 2 * list->frameWidth() + 8,
                       list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth() + 4);
  list->setCurrentRow(-1);
  for (QPushButton* b : {raise, lower}) {
    const uint32_t id = b == raise ? kListRaise : kListLower;
    QObject::connect(b, &QPushButton::clicked, &dialog, [=] {
      *digit = CandidateListStep(*digit, id);
      FillCandidateList(label, list, *digit);
    });
  }
  dialog.exec();
}

// ---- Panels

// Panels remember where they were left: every move and every button press.
class Panel : public QWidget {
 public:
  Panel(uint32_t panel, QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool), panel_(panel) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setProperty("vorelPanel", panel);
  }
  void Remember() {
    if (isVisible()) RememberPanelPosition(panel_, pos().x(), pos().y());
  }

 protected:
  void moveEvent(QMoveEvent* event) override {
    QWidget::moveEvent(event);
    Remember();
  }
  // Closing a panel by its frame goes through the engine, which keeps the window state.
  void closeEvent(QCloseEvent* event) override {
    if (closing_) return;
    event->ignore();
    closing_ = true;
    const uint32_t panel = panel_;
    QTimer::singleShot(0, parentWidget(), [panel] {
      if (panel == PanelInput && g.inputPanelOpen) ToggleInputPanel();
      else if (panel == PanelCandidateUsage) ShowUsageView(0);
      else if (panel == PanelControl && g.controlPanelOpen) {
        g.controlPanelOpen = 0;
        P().ClosePanel(PanelControl);
      }
    });
  }

 private:
  uint32_t panel_;
  bool closing_ = false;
};

QWidget* ButtonPanel(uint32_t panel, QWidget* mainWindow) {
  auto* widget = new Panel(panel, mainWindow);
  auto* grid = new QGridLayout(widget);
  grid->setSpacing(2);
  const bool input = panel == PanelInput;
  widget->setWindowTitle(input ? QStringLiteral("数字入力") : Utf8(ControlPanelTitle()));
  const std::vector<PanelButtonInfo> buttons = input ? InputPanelButtons() : ControlPanelButtons();
  const int columns = input ? 3 : 4;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const PanelButtonInfo& info = buttons[i];
    auto* button = new QPushButton(Utf8(info.label), widget);
    button->setObjectName(Id(info.button));
    button->setFocusPolicy(Qt::NoFocus);
    if (input) {
      button->setFont(VorelFont(FontCandidate));
      const int side = std::max(32, QFontMetrics(button->font()).height() + 14);
      button->setFixedSize(side, side);
    }
    const uint32_t command = info.command;
    QObject::connect(button, &QPushButton::clicked, widget, [widget, mainWindow, command] {
      widget->Remember();
      PostLater(mainWindow, command);
    });
    grid->addWidget(button, static_cast<int>(i) / columns, static_cast<int>(i) % columns);
  }
  // Wide enough for the title bar to show the title.
  widget->setMinimumWidth(QFontMetrics(widget->font()).horizontalAdvance(widget->windowTitle()) + 120);
  widget->adjustSize();
  return widget;
}

QWidget* UsagePanel(QWidget* mainWindow) {
  auto* widget = new Panel(PanelCandidateUsage, mainWindow);
  widget->setWindowTitle(QStringLiteral("候補使用状況"));
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* list = new QListWidget(widget);
  list->setObjectName(Id(1560));
  QFont font = list->font();
  font.setPixelSize(15);
  list->setFont(font);
  // Eleven lines without a scroll bar, measured on a line as wide as any.
  list->addItem(QStringLiteral("□□□｜□□□｜□□□"));
  list->setMinimumSize(list->sizeHintForColumn(0) + 2 * list->frameWidth() + 8,
                       list->sizeHintForRow(0) * 11 + 2 * list->frameWidth() + 4);
  list->clear();
  layout->addWidget(list);
  widget->adjustSize();
  return widget;
}

// ---- 160: the About box.
void AboutBox(QWidget* mainWindow) {
  QDialog dialog(mainWindow);
  dialog.setWindowTitle(QStringLiteral("Vorelのバージョン情報"));
  auto* layout = new QGridLayout(&dialog);
  auto* icon = new QLabel(&dialog);
  if (mainWindow) icon->setPixmap(mainWindow->windowIcon().pixmap(32, 32));
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(new QLabel(QStringLiteral("Kelmo for Windows"), &dialog), 0, 1);
  layout->addWidget(new QLabel(QStringLiteral("Unicode Version 0.22"), &dialog), 1, 1);
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setObjectName("ok");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  layout->addWidget(ok, 2, 1, Qt::AlignRight);
  // Wide enough for the title.
  dialog.setMinimumWidth(QFontMetrics(dialog.font()).horizontalAdvance(dialog.windowTitle()) + 140);
  dialog.exec();
}

}  // namespace

void RefreshInputPanel(QWidget* mainWindow) {
  auto* main = qobject_cast<MainWindow*>(mainWindow);
  QWidget* panel = main ? main->Panel(PanelInput) : nullptr;
  if (!panel) return;
  const QFont& font = VorelFont(FontCandidate);
  for (const PanelButtonInfo& info : InputPanelButtons())
    if (auto* button = panel->findChild<QPushButton*>(Id(info.button))) {
      button->setText(Utf8(info.label));
      if (button->font() != font) button->setFont(font);
    }
}

void RunDialog(uint32_t id, QWidget* mainWindow) {
  switch (id) {
    case 130:
      DisplayDialog(mainWindow);
      RefreshInputPanel(mainWindow);
      break;
    case 160: AboutBox(mainWindow); break;
    case 170: case 180: case 190:
      FontChooser(mainWindow);
      RefreshInputPanel(mainWindow);
      break;
    case 290: SettingsDialog(mainWindow); break;
    case 345: ToggleInputPanel(); break;
    case 1150: CandidateListDialog(mainWindow); break;
    case 1190: EditDialog(mainWindow); break;
    case 1241: SecondColourDialog(mainWindow); break;
    case 3000: AutoNameDialog(mainWindow); break;
    case 3030: ColourChooser(mainWindow); break;
    default: break;
  }
}

QWidget* CreatePanel(uint32_t panel, QWidget* mainWindow) {
  switch (panel) {
    case PanelControl:
    case PanelInput: return ButtonPanel(panel, mainWindow);
    case PanelCandidateUsage: return UsagePanel(mainWindow);
    default: return nullptr;
  }
}

void FillPanelList(QWidget* panel, const std::vector<std::string>& lines) {
  auto* list = panel ? panel->findChild<QListWidget*>(Id(1560)) : nullptr;
  if (!list) return;
  list->clear();
  for (const std::string& line : lines) list->addItem(Utf8(line));
}
