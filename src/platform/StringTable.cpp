#include "platform/StringTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>

#include <cstdio>

namespace {

// Table files hold one entry a line: the number, a tab, the text with \n, \t and \\ escaped.
QString Unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

QHash<int, QString> LoadAllTables()
{
    QHash<int, QString> table;
    const QDir dir(QStringLiteral(":/strings"));
    for (const QString& name : dir.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString content = QString::fromUtf8(file.readAll());
        for (QStringView line : QStringView(content).split(u'\n')) {
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const qsizetype tab = line.indexOf(u'\t');
            bool ok = false;
            const int id = tab > 0 ? line.left(tab).toInt(&ok) : 0;
            if (!ok) {
                std::fprintf(stderr, "wendrift: bad string table line in %s\n",
                             qUtf8Printable(name));
                continue;
            }
            table.insert(id, Unescape(line.mid(tab + 1)));
        }
    }
    return table;
}

} // namespace

QString LoadString(int id)
{
    static const QHash<int, QString> table = LoadAllTables();
    const QString text = table.value(id);
    // The table's texts are the source texts of the translation, like every tr() text.
    return text.isEmpty() ? text : QCoreApplication::translate("StringTable", qUtf8Printable(text));
}
