#include "i18n/QtTranslations.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QString>
#include <QTranslator>

namespace {

// Answers every lookup, with the English source text where its file has none: Qt asks the
// translators from the last installed on, and the one for the system's locale installed at
// start-up must not fill the gaps of another language (English has next to nothing in its file).
class TQtTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
        int n) const override
    {
        const QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isNull() && sourceText)
            return QString::fromUtf8(sourceText);
        return text;
    }

    bool isEmpty() const override { return false; }
};

QLocale NamedLocale(std::string_view localeName)
{
    return localeName.empty()
        ? QLocale::system()
        : QLocale(QString::fromLatin1(localeName.data(), qsizetype(localeName.size())));
}

QPointer<TQtTranslator>& InstalledTranslator()
{
    // Owned by the application object, so it goes with it.
    static QPointer<TQtTranslator> installed;
    return installed;
}

} // namespace

void ApplyQtTranslations(std::string_view localeName)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    const QLocale locale = NamedLocale(localeName);
    auto* translator = new TQtTranslator(application);
    // Without a file for the locale, no file is loaded and Qt's English stays.
    const QString file = translator->load(locale, "qtbase", "_",
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        ? translator->filePath()
        : QString();

    QPointer<TQtTranslator>& installed = InstalledTranslator();
    // The same file again changes nothing; installing it would make every window retranslate.
    if (installed && installed->filePath() == file) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    delete installed.data();
    installed = translator;
}

void ApplyLocale(std::string_view localeName)
{
    const QLocale locale = NamedLocale(localeName);
    if (locale == QLocale())
        return;
    QLocale::setDefault(locale);
    // Widgets keep the locale they were made with; the application hands the new one to every
    // window that has none of its own, and its widgets show their numbers anew.
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QEvent changed(QEvent::LocaleChange);
        QCoreApplication::sendEvent(application, &changed);
    }
}
