#include "utils/StringHelper.h"

#include <QTextCodec>

namespace utils {

namespace {
QTextCodec *gbkCodec()
{
    static QTextCodec *codec = QTextCodec::codecForName("GBK");
    return codec;
}
} // namespace

QString safeGbk2Utf8(const QByteArray &gbk)
{
    QTextCodec *codec = gbkCodec();
    if (!codec)
        return QString::fromLocal8Bit(gbk);
    // The codec holds back a lead byte at the end of the input for a next call
    // and drops it when there is none. A line feed, never part of a GBK
    // character, makes it give that byte up as U+FFFD; the line feed goes again.
    QTextCodec::ConverterState state;
    QString text = codec->toUnicode(gbk.constData(), gbk.size(), &state);
    text += codec->toUnicode("\n", 1, &state);
    text.chop(1);
    return text;
}

std::string safeGbk2Utf8(const std::string &gbk)
{
    return safeGbk2Utf8(QByteArray::fromRawData(gbk.data(), int(gbk.size()))).toStdString();
}

QByteArray utf8ToGbk(const QString &text)
{
    QTextCodec *codec = gbkCodec();
    if (!codec)
        return text.toLocal8Bit();
    return codec->fromUnicode(text);
}

std::string formatIntNumber(long long value, int width)
{
    const bool negative = value < 0;
    // Work on the unsigned magnitude so that the smallest long long is safe.
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 2);
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    if (negative)
        out.insert(out.begin(), '-');
    if (width > 0 && int(out.size()) < width)
        out.insert(out.begin(), width - out.size(), ' ');
    return out;
}

} // namespace utils
