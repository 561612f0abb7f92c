#include "window/main.h"
#include "window/qt_text.h"

namespace pixmosa {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kAqua(0, 255, 255);

}  // namespace

QLineEdit* TfrmMain::textField(Field field, QWidget* parent, int helpContext, Handler exit,
                               bool overflowTip)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(toQt(settingsField(field).control));
    setHelpContext(edit, helpContext);
    edit->installEventFilter(this);
    if (overflowTip) {
        m_tip->watch(edit);
    }
    m_textFields.emplace_back(edit, field);
    m_exitHandlers[edit] = exit;
    return edit;
}

SpinEdit* TfrmMain::numberField(Field field, QWidget* parent, int helpContext, Handler exit)
{
    const FieldInfo& info = settingsField(field);
    auto* spin = new SpinEdit(info.minimum, info.maximum, parent);
    spin->setObjectName(toQt(info.control));
    spin->setFixedWidth(48);
    setHelpContext(spin, helpContext);
    spin->installEventFilter(this);
    m_numberFields.emplace_back(spin, field);
    m_exitHandlers[spin] = exit;
    return spin;
}

QPlainTextEdit* TfrmMain::memoField(Field field, QWidget* parent, int helpContext, Handler exit)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(toQt(settingsField(field).control));
    setHelpContext(memo, helpContext);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    memo->setMinimumHeight(30);
    memo->installEventFilter(this);
    m_memoFields.emplace_back(memo, field);
    m_exitHandlers[memo] = exit;
    return memo;
}

QCheckBox* TfrmMain::switchField(Field field, const char* caption, QWidget* parent, int helpContext,
                                 Handler click)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(toQt(settingsField(field).control));
    setHelpContext(box, helpContext);
    m_switchFields.emplace_back(box, field);
    connect(box, &QCheckBox::clicked, this, click);
    return box;
}

ColourGroup* TfrmMain::colourGroup(const ColourGroupParts& parts, QWidget* parent,
                                   int firstHelpContext, const std::array<Handler, 5>& clicks)
{
    auto* group = new ColourGroup(parts, parent);
    setHelpContext(group, firstHelpContext);
    for (std::size_t i = 0; i < 5; ++i) {
        ColourButton* button = group->buttons()[i];
        setHelpContext(button, firstHelpContext + 10 * static_cast<int>(i));
        m_colourButtons.push_back(button);
        connect(button, &QToolButton::clicked, this, clicks[i]);
    }
    // The swatch and its samples share the context after the buttons'.
    setHelpContext(group->swatch(), firstHelpContext + 50);
    return group;
}

QToolButton* TfrmMain::toolButton(QWidget* parent, const char* name, const char* tip,
                                  int helpContext, Handler click)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    if (helpContext != 0) {
        setHelpContext(button, helpContext);
    }
    connect(button, &QToolButton::clicked, this, click);
    return button;
}

QWidget* TfrmMain::newTab(const char* name, int helpContext)
{
    auto* tab = new QWidget;
    tab->setObjectName(name);
    setHelpContext(tab, helpContext);
    return tab;
}

QVBoxLayout* TfrmMain::tabColumn(QWidget* tab)
{
    auto* column = new QVBoxLayout(tab);
    column->setContentsMargins(4, 4, 4, 2);
    column->setSpacing(3);
    return column;
}

QLabel* TfrmMain::caption(const char* text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    if (buddy->accessibleName().isEmpty()) {
        buddy->setAccessibleName(QString(text).remove('&'));
    }
    return label;
}

QLabel* TfrmMain::placeholder(const char* text, QWidget* parent)
{
    auto* shown = new QLabel(text, parent);
    shown->setAlignment(Qt::AlignCenter);
    shown->setAutoFillBackground(true);
    QPalette palette = shown->palette();
    palette.setColor(QPalette::Window, kNavy);
    palette.setColor(QPalette::WindowText, kAqua);
    shown->setPalette(palette);
    shown->setFixedHeight(17);
    return shown;
}

void TfrmMain::addPageTexts(QFormLayout* form, QWidget* parent, QPlainTextEdit* header,
                            const char* placeholderText, QPlainTextEdit* footer)
{
    form->addRow(caption("Header", header, parent), header);
    form->addRow(QString(), placeholder(placeholderText, parent));
    form->addRow(caption("Footer", footer, parent), footer);
}

}  // namespace pixmosa
