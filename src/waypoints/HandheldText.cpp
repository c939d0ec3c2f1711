#include "waypoints/HandheldText.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <vector>

namespace {

// glibc's converter is used rather than Qt's, which offers CP949 only when built with ICU.
class CCp949Decoder {
public:
    CCp949Decoder() : m_handle(iconv_open("UTF-16LE", "CP949")) {}
    ~CCp949Decoder()
    {
        if (m_handle != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_handle);
    }
    CCp949Decoder(const CCp949Decoder&) = delete;
    CCp949Decoder& operator=(const CCp949Decoder&) = delete;

    QString Decode(const char* bytes, size_t size)
    {
        const std::lock_guard lock(m_mutex);
        if (m_handle == reinterpret_cast<iconv_t>(-1))
            return Latin1WithReplacement(bytes, size);
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        m_units.resize(size + 1); // one unit per byte at most, for CP949
        char* in = const_cast<char*>(bytes);
        size_t inLeft = size;
        char* out = reinterpret_cast<char*>(m_units.data());
        size_t outLeft = m_units.size() * sizeof(char16_t);
        while (inLeft > 0) {
            if (iconv(m_handle, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
                break;
            if (errno != EILSEQ && errno != EINVAL)
                break;
            // A broken or cut-off sequence: mark it and go on with the next byte.
            *reinterpret_cast<char16_t*>(out) = u'\uFFFD';
            out += sizeof(char16_t);
            outLeft -= sizeof(char16_t);
            ++in;
            --inLeft;
        }
        const auto units = (reinterpret_cast<char16_t*>(out) - m_units.data());
        return QString(reinterpret_cast<const QChar*>(m_units.data()), units);
    }

private:
    static QString Latin1WithReplacement(const char* bytes, size_t size)
    {
        QString text(static_cast<qsizetype>(size), Qt::Uninitialized);
        for (size_t i = 0; i < size; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            text[static_cast<qsizetype>(i)] = byte < 0x80 ? QChar(byte) : QChar(u'\uFFFD');
        }
        return text;
    }

    iconv_t m_handle;
    std::mutex m_mutex;
    std::vector<char16_t> m_units;
};

} // namespace

QString DecodeHandheldText(const char* bytes, qsizetype size)
{
    bool ascii = true;
    for (qsizetype i = 0; i < size && ascii; ++i)
        ascii = static_cast<unsigned char>(bytes[i]) < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes, size);
    static CCp949Decoder decoder;
    return decoder.Decode(bytes, static_cast<size_t>(size));
}
