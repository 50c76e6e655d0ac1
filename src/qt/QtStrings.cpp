#include "qt/QtStrings.h"

#include <QFile>

QString PathToQt(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromQt(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString MessageToQt(const std::string& text)
{
    QString message = QString::fromStdString(text);
    message.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return message;
}

QString DumpTextToQt(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
