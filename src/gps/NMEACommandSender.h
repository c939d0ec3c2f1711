#pragma once

#include <QByteArray>

class CSerialPort;

// Writes NMEA input sentences to the receiver: "$", the body, "*", the XOR of the body as two
// upper-case hex digits, CR LF, in one write. Rates are whole seconds, 0 = off.
class CNMEACommandSender {
public:
    explicit CNMEACommandSender(CSerialPort& port) : m_port(port) {}

    // Each returns the sentence written, or an empty array when the write failed.
    QByteArray SendNMEACommand(const QByteArray& body);

    QByteArray SetGGARate(int rate);
    QByteArray SetGLLRate(int rate);
    QByteArray SetGSARate(int rate);
    QByteArray SetGSVRate(int rate);
    QByteArray SetRMCRate(int rate);
    QByteArray SetVTGRate(int rate);
    // protocol 0 SiRF binary, 1 NMEA.
    QByteArray SetSerialPort(int protocol, int baud, int dataBits, int stopBits, int parity);

    static QByteArray BuildSentence(const QByteArray& body);

private:
    QByteArray SetRate(int message, int rate);

    CSerialPort& m_port;
};
