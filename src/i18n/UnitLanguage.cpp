#include "i18n/UnitLanguage.h"

#include "common/UiText.h"
#include "i18n/TranslatedTexts.h"

#include <QCollator>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>

namespace {

constexpr int ClientWidth = 247;
constexpr int ClientHeight = 149;
// The labels stay inside the group box: a long translator credit is cut, not spilled over.
constexpr int LabelMaxWidth = 217;

void SetLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
    if (label->width() > LabelMaxWidth)
        label->resize(LabelMaxWidth, label->height());
}

QLabel* MakeLabel(QWidget* parent, int x, int y, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // Texts come from language files: never let one be taken for markup.
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    return label;
}

// The display names' order: alphabetical for the user's language, ignoring case. The C locale
// says nothing about the language and would sort accented letters after Z, so English stands in.
QCollator DisplayNameCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

TFormLanguage::TFormLanguage(
    std::filesystem::path languagesFolder, std::string currentLanguage, QWidget* parent)
    : QDialog(parent)
    , FLanguagesFolder(std::move(languagesFolder))
    , FCurrentLanguage(std::move(currentLanguage))
{
    setObjectName("FormLanguage");
    setWindowFlags(
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    QFont formFont = font();
    formFont.setPointSize(8);
    setFont(formFont);
    setFixedSize(ClientWidth, ClientHeight);
    CreateControls();
    FormCreate();
}

TFormLanguage::~TFormLanguage() = default;

void TFormLanguage::CreateControls()
{
    setWindowTitle("Switch language");

    GroupBox1 = new QGroupBox("Choose your language", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(8, 8, 233, 105);

    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setGeometry(8, 32, 217, 21);
    ComboBox1->setEditable(false);

    Label1 = MakeLabel(GroupBox1, 8, 64, "Label1");
    SetLabelText(Label1, "Translation by:");
    Label2 = MakeLabel(GroupBox1, 8, 80, "Label2");
    SetLabelText(Label2, QString());

    ButtonOK = new QPushButton("OK", this);
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setGeometry(80, 120, 75, 25);
    ButtonOK->setDefault(true);

    ButtonCancel = new QPushButton("Cancel", this);
    ButtonCancel->setObjectName("ButtonCancel");
    ButtonCancel->setGeometry(160, 120, 75, 25);

    setTabOrder(ComboBox1, ButtonOK);
    setTabOrder(ButtonOK, ButtonCancel);

    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Every change of the selection, by the user's mouse or keys or by the dialog itself.
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Select(); });
}

void TFormLanguage::FormCreate()
{
    FItems = ListLanguageFiles(FLanguagesFolder);
    const QCollator collator = DisplayNameCollator();
    QCollator exactCase = collator;
    exactCase.setCaseSensitivity(Qt::CaseSensitive);
    // Names equal to the collator keep one fixed order, whatever order the folder gave.
    std::stable_sort(
        FItems.begin(), FItems.end(), [&](const TLanguageItem& a, const TLanguageItem& b) {
            const QString nameA = FromWindows1252(a.LanguageName);
            const QString nameB = FromWindows1252(b.LanguageName);
            if (const int order = collator.compare(nameA, nameB); order != 0)
                return order < 0;
            if (const int order = exactCase.compare(nameA, nameB); order != 0)
                return order < 0;
            return a.FileName < b.FileName;
        });

    const QSignalBlocker blocker(ComboBox1);
    for (std::size_t i = 0; i < FItems.size(); ++i)
        ComboBox1->addItem(FromWindows1252(FItems[i].LanguageName), int(i));
    ComboBox1->setCurrentIndex(FItems.empty() ? -1 : 0);
    if (!FItems.empty())
        ComboBox1Select();
}

void TFormLanguage::FormShow()
{
    const int match = FindLanguageItem(FItems, FCurrentLanguage, FLanguagesFolder);
    if (match < 0)
        return;
    const QSignalBlocker blocker(ComboBox1);
    ComboBox1->setCurrentIndex(match);
    ComboBox1Select();
}

void TFormLanguage::ComboBox1Select()
{
    const int index = ComboBox1->currentIndex();
    if (index < 0)
        return;
    SetLabelText(Label2,
        FromWindows1252(FItems[std::size_t(ComboBox1->itemData(index).toInt())].Translator));
}

void TFormLanguage::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Not when the window system merely shows it again (after being minimised, say).
    if (!event->spontaneous())
        FormShow();
}

void TFormLanguage::SetTexts(const QString& caption, const QString& groupCaption,
    const QString& translatedBy, const QString& ok, const QString& cancel)
{
    setWindowTitle(caption);
    GroupBox1->setTitle(groupCaption);
    SetLabelText(Label1, translatedBy);
    ButtonOK->setText(ok);
    ButtonCancel->setText(cancel);
}

void TFormLanguage::SetTranslatedTexts(const QString& caption)
{
    const auto& texts = TranslatedTexts();
    SetTexts(caption, FromWindows1252(texts[ttChooseLanguage]),
        FromWindows1252(texts[ttTranslatedBy]), FromWindows1252(texts[ttOK]),
        FromWindows1252(texts[ttCancel]));
}

void TFormLanguage::GetSelectedLanguage(std::string& name) const
{
    const int index = ComboBox1->currentIndex();
    if (index >= 0)
        name = FItems[std::size_t(ComboBox1->itemData(index).toInt())].FileName;
}
