#include "waypoints/HandheldText.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <mutex>
#include <vector>

namespace {

const char* const kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// glibc's converters are used rather than Qt's, which offer CP949 only when Qt is built with
// ICU; glibc always has them.
class CCodePageDecoder {
public:
    CCodePageDecoder() : m_handle(iconv_open(kUtf16, "CP949")) {}
    ~CCodePageDecoder()
    {
        if (m_handle != kNoConverter)
            iconv_close(m_handle);
    }
    CCodePageDecoder(const CCodePageDecoder&) = delete;
    CCodePageDecoder& operator=(const CCodePageDecoder&) = delete;

    bool Select(const QByteArray& name)
    {
        const iconv_t handle = iconv_open(kUtf16, name.constData());
        if (handle == kNoConverter)
            return false;
        const std::lock_guard lock(m_mutex);
        if (m_handle != kNoConverter)
            iconv_close(m_handle);
        m_handle = handle;
        return true;
    }

    QString Decode(const char* bytes, size_t size)
    {
        const std::lock_guard lock(m_mutex);
        // Two units a byte covers every code page (and each U+FFFD put in for a byte).
        m_units.resize(2 * size + 2);
        char* in = const_cast<char*>(bytes);
        size_t inLeft = size;
        char* out = reinterpret_cast<char*>(m_units.data());
        size_t outLeft = m_units.size() * sizeof(char16_t);
        if (m_handle != kNoConverter)
            iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            if (m_handle != kNoConverter &&
                iconv(m_handle, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
                break;
            if (m_handle != kNoConverter && errno != EILSEQ && errno != EINVAL)
                break;
            // A broken or cut-off sequence: mark it and go on with the next byte.
            const auto byte = static_cast<unsigned char>(*in);
            *reinterpret_cast<char16_t*>(out) = byte < 0x80 ? char16_t{byte} : u'\uFFFD';
            out += sizeof(char16_t);
            outLeft -= sizeof(char16_t);
            ++in;
            --inLeft;
        }
        const auto units = reinterpret_cast<char16_t*>(out) - m_units.data();
        return QString(reinterpret_cast<const QChar*>(m_units.data()), units);
    }

private:
    iconv_t m_handle;
    std::mutex m_mutex;
    std::vector<char16_t> m_units;
};

CCodePageDecoder& Decoder()
{
    static CCodePageDecoder decoder;
    return decoder;
}

} // namespace

QString DecodeHandheldText(const char* bytes, qsizetype size)
{
    bool ascii = true;
    for (qsizetype i = 0; i < size && ascii; ++i)
        ascii = static_cast<unsigned char>(bytes[i]) < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes, size);
    return Decoder().Decode(bytes, static_cast<size_t>(size));
}

bool SetHandheldCodePage(const QByteArray& iconvName)
{
    return Decoder().Select(iconvName);
}
