#include "platform/qtlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace zuv {

namespace {

struct Catalog {
    std::unique_ptr<QTranslator> translator;
    QCoreApplication* app = nullptr;
};

Catalog& installed()
{
    static Catalog catalog;
    return catalog;
}

} // namespace

bool useQtLanguage(int languageIndex)
{
    Catalog& c = installed();
    QCoreApplication* app = QCoreApplication::instance();
    // A catalog left in an application that has gone is gone with it.
    if (c.app != app) {
        c.translator.reset();
        c.app = app;
    }
    const bool italian = languageIndex == 0;
    if (italian == bool(c.translator))
        return true;
    if (!italian) {
        QCoreApplication::removeTranslator(c.translator.get());
        c.translator.reset();
        return true;
    }
    if (!app)
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator.get()))
        return false;
    c.translator = std::move(translator);
    return true;
}

} // namespace zuv
