#include "window/qt/main_window.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPalette>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>
#include <exception>
#include <stdexcept>

#include "window/control_help.h"
#include "window/qt/keys.h"
#include "window/qt/spinner_widget.h"

namespace idrovela::window::qt {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect PixelGeometry(const Twips& twips) {
    return {TwipsToPixels(twips.left), TwipsToPixels(twips.top), TwipsToPixels(twips.width),
            TwipsToPixels(twips.height)};
}

Qt::Alignment TextAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Alignment::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The model's control of a widget; every control of the table has one.
template <typename Control>
Control& ModelControl(Control* control, std::string_view name) {
    if (control == nullptr) {
        throw std::logic_error("the window model has no control " + std::string(name));
    }
    return *control;
}

QIcon WindowIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/idrovela/icons/idrovela-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

bool TakesFocus(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::Frame;
}

}  // namespace

int TwipsToPixels(int twips) {
    // To the nearest pixel; a length in whole twips is never half-way between two pixels.
    constexpr int kTwipsPerPixel = 15;
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

MainWindow::MainWindow(AlwaysOnTop* onTop, MessageBox messageBox)
    : ownOnTop_(onTop == nullptr ? std::make_unique<WindowOnTop>(*this) : nullptr),
      onTop_(*this, onTop == nullptr ? *ownOnTop_ : *onTop),
      reporter_(*this, std::move(messageBox)),
      model_(onTop_, reporter_),
      client_(new QWidget(this)),
      keyWatch_(*this,
                [this](QWidget& receiver, const QKeyEvent& key) { KeyReleased(receiver, key); }) {
    setObjectName(QStringLiteral("Form_Principale"));
    setWindowTitle(FromUtf8(kCaption));
    setWindowIcon(WindowIcon());
    setFont(QFont(FromUtf8(kFontFamily), kFontPointSize));
    // A fixed size: the window can be moved, minimised and closed, not maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    client_->setObjectName(QStringLiteral("ClientArea"));
    client_->setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    CreateControls();
    GroupOptionButtons();
    SetTabOrder();
    DescribeControls();
    menus_ = std::make_unique<MainMenus>(*this);
    Mirror();
}

MainWindow::~MainWindow() {
    // The controls go before the frame style they are drawn with.
    delete client_;
}

QWidget* MainWindow::Widget(std::string_view name) const {
    const auto found = widgets_.find(name);
    if (found == widgets_.end()) {
        throw std::logic_error("the window has no control " + std::string(name));
    }
    return found->second;
}

void MainWindow::Start() {
    winId();  // the on-top call of start-up needs the native window
    Forward([this] { model_.Load(); });
    Widget("Text_Y")->setFocus();
}

// ---- Creating the controls ----

void MainWindow::CreateControls() {
    // Frames come before their contents in the table.
    for (const ControlDesign& design : kControls) {
        QWidget* container = design.container.empty() ? client_ : Widget(design.container);
        QWidget* widget = CreateControl(design, container);
        widget->setObjectName(FromUtf8(design.name));
        widget->setGeometry(PixelGeometry(design.geometry));
        widget->setEnabled(design.enabled);
        widgets_.emplace(std::string(design.name), widget);
    }
}

QWidget* MainWindow::CreateControl(const ControlDesign& design, QWidget* container) {
    const QString caption = FromUtf8(design.caption);
    switch (design.kind) {
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(caption, container);
            frame->setStyle(&frameStyle_);
            return frame;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(caption, container);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(caption, container);
            edit->setAlignment(TextAlignment(design.alignment));
            if (design.buttonFace) {
                QPalette palette = edit->palette();
                palette.setColor(QPalette::Base, palette.color(QPalette::Button));
                edit->setPalette(palette);
            }
            ConnectTextBox(*edit, ModelControl(model_.FindTextBox(design.name), design.name));
            return edit;
        }
        case ControlKind::Spinner: {
            return CreateSpinner(ModelControl(model_.FindSpinner(design.name), design.name),
                                 container);
        }
        case ControlKind::OptionButton: {
            auto* radio = new QRadioButton(caption, container);
            radio->setChecked(design.selected);
            radio->installEventFilter(this);
            OptionButton* option = &ModelControl(model_.FindOptionButton(design.name), design.name);
            optionButtons_.emplace_back(radio, option);
            // Only the button that becomes selected runs its click, as in the model's group.
            connect(radio, &QRadioButton::toggled, this, [this, option](bool selected) {
                if (selected) {
                    Forward([this, option] { model_.UserClick(*option); });
                }
            });
            return radio;
        }
        case ControlKind::CheckBox: {
            check1_ = new QCheckBox(caption, container);
            check1_->setChecked(design.selected);
            connect(check1_, &QCheckBox::clicked, this,
                    [this] { Forward([this] { model_.UserClick(model_.Check1); }); });
            return check1_;
        }
    }
    throw std::logic_error("unknown control kind");
}

QWidget* MainWindow::CreateSpinner(window::Spinner& spinner, QWidget* container) {
    auto* widget = new SpinnerWidget(
        container, [this, &spinner] { Forward([this, &spinner] { model_.UserUp(spinner); }); },
        [this, &spinner] { Forward([this, &spinner] { model_.UserDown(spinner); }); });
    spinners_.emplace_back(widget, &spinner);
    return widget;
}

void MainWindow::GroupOptionButtons() {
    // Qt groups radio buttons by parent, and the mode buttons share theirs with every other
    // control of the window: each group of the model gets a button group of its own.
    for (OptionGroup* group : {&model_.SolveModeGroup, &model_.MaterialGroup, &model_.FluidGroup}) {
        auto* buttons = new QButtonGroup(this);
        buttons->setExclusive(true);
        for (OptionButton* option : group->Buttons()) {
            buttons->addButton(static_cast<QRadioButton*>(Widget(option->Name())));
        }
    }
}

// Every control that can take the focus, in the order of its tab index. Which of them Tab stops
// at follows the model: disabled fields and hidden spinners are skipped, and of an option group
// only the selected button takes Tab (Mirror sets the others to take the focus by click only).
void MainWindow::SetTabOrder() {
    std::vector<const ControlDesign*> order;
    for (const ControlDesign& design : kControls) {
        if (TakesFocus(design.kind)) {
            order.push_back(&design);
        }
    }
    std::sort(order.begin(), order.end(), [](const ControlDesign* a, const ControlDesign* b) {
        return a->tabIndex < b->tabIndex;
    });
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(Widget(order[i - 1]->name), Widget(order[i]->name));
    }
}

// Tooltips and the names a screen reader speaks; a field is named by its caption label, which
// becomes its buddy.
void MainWindow::DescribeControls() {
    for (const ControlDesign& design : kControls) {
        const ControlHelp& help = HelpOf(design.name);
        QWidget* widget = Widget(design.name);
        widget->setToolTip(FromUtf8(help.toolTip));
        std::string_view name = help.accessibleName;
        if (!help.label.empty()) {
            static_cast<QLabel*>(Widget(help.label))->setBuddy(widget);
            name = DesignOf(help.label).caption;
        }
        widget->setAccessibleName(FromUtf8(name.empty() ? design.caption : name));
    }
}

void MainWindow::ConnectTextBox(QLineEdit& edit, TextBox& box) {
    textBoxes_.emplace_back(&edit, &box);
    edit.installEventFilter(this);
    if (&box == &model_.Text1) {
        // The information line only ever shows what its clicks write.
        text1_ = &edit;
        edit.setReadOnly(true);
        return;
    }
    // Typing, deleting, pasting, cutting, undoing: each edit reaches the model as the field's
    // new text. Texts the program writes are mirrored with signals blocked, so they come back
    // to nobody.
    connect(&edit, &QLineEdit::textEdited, this, [this, &box](const QString& text) {
        const int errorsBefore = reporter_.Reported();
        Forward([this, &box, &text] { model_.UserEdit(box, text.toStdString()); });
        if (reporter_.Reported() != errorsBefore) {
            keyWatch_.KeystrokeStopped();
        }
    });
}

// ---- Events ----

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        for (const auto& [radio, option] : optionButtons_) {
            if (radio == watched) {
                return SelectNeighbourOption(*option, key);
            }
        }
    }
    const auto found = std::find_if(textBoxes_.begin(), textBoxes_.end(),
                                    [watched](const auto& pair) { return pair.first == watched; });
    if (found == textBoxes_.end()) {
        return QMainWindow::eventFilter(watched, event);
    }
    QLineEdit& edit = *found->first;
    TextBox& box = *found->second;
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (&edit == text1_ && !key.isAutoRepeat() &&
                (key.key() == Qt::Key_Space || key.key() == Qt::Key_Return ||
                 key.key() == Qt::Key_Enter)) {
                // The information line answers Space and Enter as it answers a click.
                Forward([this, &box] { model_.UserClick(box); });
                return true;
            }
            return FilterKeyPress(box, key);
        }
        case QEvent::MouseButtonRelease: {
            const auto& mouse = *static_cast<QMouseEvent*>(event);
            if (&edit == text1_ && mouse.button() == Qt::LeftButton &&
                edit.rect().contains(mouse.position().toPoint())) {
                Forward([this, &box] { model_.UserClick(box); });
            }
            return false;
        }
        default:
            return false;
    }
}

bool MainWindow::FilterKeyPress(TextBox& box, const QKeyEvent& event) {
    const std::optional<std::int16_t> code =
        CharacterCode(event.key(), event.modifiers(), event.text());
    if (!code) {
        return false;  // a key without a character: the field handles it
    }
    // The window's only key filter passes a key unchanged or discards it.
    std::int16_t passed = 0;
    Forward([this, &box, &passed, &code] { passed = model_.UserKeyPress(box, *code); });
    return passed == 0;
}

// The end of a keystroke (KeyWatch has checked that it is one): the field's key release. One
// physical key gives one release, as the releases of auto-repeat are not keystrokes.
void MainWindow::KeyReleased(QWidget& receiver, const QKeyEvent& event) {
    for (const auto& [edit, box] : textBoxes_) {
        if (edit == &receiver) {
            TextBox& field = *box;
            const std::int16_t code = KeyCode(event.key());
            Forward([this, &field, code] { model_.UserKeyRelease(field, code); });
            return;
        }
    }
}

// The arrows in an option group select the next button down the screen (Down, Right) or the
// previous one (Up, Left), wrapping round, and run its click as a mouse click would; the
// focus goes with the selection.
bool MainWindow::SelectNeighbourOption(const OptionButton& option, const QKeyEvent& event) {
    int step = 0;
    switch (event.key()) {
        case Qt::Key_Down:
        case Qt::Key_Right:
            step = 1;
            break;
        case Qt::Key_Up:
        case Qt::Key_Left:
            step = -1;
            break;
        default:
            return false;
    }
    std::vector<OptionButton*> buttons = model_.GroupOf(option).Buttons();
    std::stable_sort(buttons.begin(), buttons.end(), [](OptionButton* a, OptionButton* b) {
        return DesignOf(a->Name()).geometry.top < DesignOf(b->Name()).geometry.top;
    });
    const auto here = std::find(buttons.begin(), buttons.end(), &option);
    const auto count = static_cast<std::ptrdiff_t>(buttons.size());
    const std::ptrdiff_t next = ((here - buttons.begin()) + step + count) % count;
    auto* radio =
        static_cast<QRadioButton*>(Widget(buttons[static_cast<std::size_t>(next)]->Name()));
    radio->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    radio->click();
    return true;
}

// ---- Forwarding and mirroring ----

void MainWindow::Act(const std::function<void(Form_Principale&)>& action) {
    Forward([this, &action] { action(model_); });
}

void MainWindow::AfterEachAction(std::function<void()> refresh) {
    afterEachAction_.push_back(std::move(refresh));
}

template <typename Action>
void MainWindow::Forward(Action&& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        reporter_.ReportError(error);  // the model reports its own; this is a safety net
    } catch (const std::exception& error) {
        const QString text = QString::fromUtf8(error.what());
        QMetaObject::invokeMethod(
            this,
            [this, text] {
                QMessageBox::critical(this, QStringLiteral("Idrovela"),
                                      QStringLiteral("Errore interno: ") + text);
            },
            Qt::QueuedConnection);
    }
    Mirror();
    for (const auto& refresh : afterEachAction_) {
        refresh();
    }
}

void MainWindow::Mirror() {
    for (const auto& [edit, box] : textBoxes_) {
        const QString text = QString::fromStdString(box->Text());
        if (edit->text() != text) {
            // setText moves the caret to the end; keep it where the user was typing.
            const QSignalBlocker blocker(edit);
            const int caret = edit->cursorPosition();
            edit->setText(text);
            edit->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
        }
        edit->setEnabled(box->Enabled());
    }
    for (const auto& [radio, option] : optionButtons_) {
        if (option->Value() && !radio->isChecked()) {
            const QSignalBlocker blocker(radio);
            radio->setChecked(true);
        }
        // An option group is one tab stop, at its selected button.
        radio->setFocusPolicy(option->Value() ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (check1_->isChecked() != model_.Check1.Value()) {
        const QSignalBlocker blocker(check1_);
        check1_->setChecked(model_.Check1.Value());
    }
    for (const auto& [widget, spinner] : spinners_) {
        widget->setVisible(spinner->Visible());
    }
}

}  // namespace idrovela::window::qt
