#include "gps/NMEACommandSender.h"

#include "gps/SerialPort.h"

#include <QString>

#include <cstdint>

QByteArray CNMEACommandSender::BuildSentence(const QByteArray& body)
{
    uint8_t checksum = 0;
    for (const char c : body)
        checksum ^= static_cast<uint8_t>(c);
    return '$' + body + QString::asprintf("*%02X\r\n", checksum).toLatin1();
}

QByteArray CNMEACommandSender::SendNMEACommand(const QByteArray& body)
{
    const QByteArray sentence = BuildSentence(body);
    const int count = static_cast<int>(sentence.size());
    if (m_port.Write(reinterpret_cast<const uint8_t*>(sentence.constData()), count) != count)
        return {};
    return sentence;
}

QByteArray CNMEACommandSender::SetRate(int message, int rate)
{
    return SendNMEACommand(QString::asprintf("PSRF103,%02d,00,%02d,01", message, rate).toLatin1());
}

QByteArray CNMEACommandSender::SetGGARate(int rate)
{
    return SetRate(0, rate);
}

QByteArray CNMEACommandSender::SetGLLRate(int rate)
{
    return SetRate(1, rate);
}

QByteArray CNMEACommandSender::SetGSARate(int rate)
{
    return SetRate(2, rate);
}

QByteArray CNMEACommandSender::SetGSVRate(int rate)
{
    return SetRate(3, rate);
}

QByteArray CNMEACommandSender::SetRMCRate(int rate)
{
    return SetRate(4, rate);
}

QByteArray CNMEACommandSender::SetVTGRate(int rate)
{
    return SetRate(5, rate);
}

QByteArray CNMEACommandSender::SetSerialPort(int protocol, int baud, int dataBits, int stopBits,
                                             int parity)
{
    return SendNMEACommand(
        QString::asprintf("PSRF100,%d,%d,%d,%d,%d", protocol, baud, dataBits, stopBits, parity)
            .toLatin1());
}
