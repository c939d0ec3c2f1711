#include "app/SnapshotOptions.h"

#include <QRegularExpression>

namespace {

const char* const kTabNames[] = {"GPS", "Panel", "Trip", "Map", "Analysis"};

std::optional<int> PositiveNumber(const QString& text, int limit)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > limit)
        return std::nullopt;
    return value;
}

} // namespace

int SnapshotTabIndex(const QString& name)
{
    for (int i = 0; i < 5; ++i)
        if (name.compare(QLatin1String(kTabNames[i]), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

std::optional<SnapshotOptions> ParseSnapshotOptions(const QStringList& arguments, QString& error)
{
    SnapshotOptions options;
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    static const QRegularExpression tapPattern(QStringLiteral("^(-?\\d+),(-?\\d+)$"));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (!name.startsWith(QStringLiteral("--"))) {
            error = QStringLiteral("unexpected argument '%1'").arg(name);
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(name);
            return std::nullopt;
        }
        const QString value = arguments[++i];
        if (name == QLatin1String("--snapshot")) {
            options.output = value;
        } else if (name == QLatin1String("--window-snapshot")) {
            options.windowOutput = value;
        } else if (name == QLatin1String("--tab")) {
            options.tab = SnapshotTabIndex(value);
            if (options.tab < 0) {
                error = QStringLiteral("--tab must be GPS, Panel, Trip, Map or Analysis");
                return std::nullopt;
            }
        } else if (name == QLatin1String("--size")) {
            const auto match = sizePattern.match(value);
            const auto w =
                match.hasMatch() ? PositiveNumber(match.captured(1), 8192) : std::nullopt;
            const auto h =
                match.hasMatch() ? PositiveNumber(match.captured(2), 8192) : std::nullopt;
            if (!w || !h) {
                error = QStringLiteral("--size must be WIDTHxHEIGHT, e.g. 480x536");
                return std::nullopt;
            }
            options.size = QSize(*w, *h);
        } else if (name == QLatin1String("--dpi")) {
            const auto dpi = PositiveNumber(value, 1200);
            if (!dpi) {
                error = QStringLiteral("--dpi must be a whole number from 1 to 1200");
                return std::nullopt;
            }
            options.dpi = *dpi;
        } else if (name == QLatin1String("--feed")) {
            options.feedPath = value;
        } else if (name == QLatin1String("--key")) {
            options.keys.append(value);
        } else if (name == QLatin1String("--tap")) {
            const auto match = tapPattern.match(value);
            if (!match.hasMatch()) {
                error = QStringLiteral("--tap must be X,Y");
                return std::nullopt;
            }
            options.taps.append(QPoint(match.captured(1).toInt(), match.captured(2).toInt()));
        } else if (name == QLatin1String("--now")) {
            bool ok = false;
            options.now = value.toLongLong(&ok);
            if (!ok) {
                error = QStringLiteral("--now must be seconds since 1970");
                return std::nullopt;
            }
        } else if (name != QLatin1String("--config-dir")) {
            error = QStringLiteral("unknown option %1").arg(name);
            return std::nullopt;
        }
    }
    if (options.output.isEmpty()) {
        error = QStringLiteral("--snapshot needs an output file");
        return std::nullopt;
    }
    return options;
}
