#pragma once

#include <QByteArray>
#include <QString>

#include <concepts>
#include <cstdint>

// Minimal JSON building for the tool's one-object-per-line output. Numbers are written in their
// shortest round-trip form; non-finite numbers become null.
QByteArray JsonNumber(double value);
QByteArray JsonString(QStringView text);
QByteArray JsonString(const char* text);

class CJsonObject {
public:
    CJsonObject& Add(const char* key, double value) { return AddRaw(key, JsonNumber(value)); }
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) CJsonObject& Add(const char* key,
                                                                                T value)
    {
        return AddRaw(key, QByteArray::number(static_cast<long long>(value)));
    }
    CJsonObject& Add(const char* key, bool value) { return AddRaw(key, value ? "true" : "false"); }
    CJsonObject& Add(const char* key, QStringView text) { return AddRaw(key, JsonString(text)); }
    CJsonObject& Add(const char* key, const QString& text) { return Add(key, QStringView(text)); }
    CJsonObject& Add(const char* key, const char* text) { return AddRaw(key, JsonString(text)); }
    // A character as a one-character string; NUL gives the empty string.
    CJsonObject& AddChar(const char* key, char value);
    // `json` must already be valid JSON (an object, array or literal).
    CJsonObject& AddRaw(const char* key, const QByteArray& json);

    QByteArray Text() const { return '{' + m_body + '}'; }
    // Writes the object and a line feed to standard output.
    void Print() const;

private:
    QByteArray m_body;
};

class CJsonArray {
public:
    CJsonArray& AddRaw(const QByteArray& json);
    CJsonArray& Add(const CJsonObject& object) { return AddRaw(object.Text()); }
    template <std::integral T>
    requires(!std::same_as<T, bool>) CJsonArray& Add(T value)
    {
        return AddRaw(QByteArray::number(static_cast<long long>(value)));
    }
    QByteArray Text() const { return '[' + m_body + ']'; }

private:
    QByteArray m_body;
};
