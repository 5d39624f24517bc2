// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SVG decoder follows what a document names: an <image> by path opens
// that file (a FIFO blocks it for ever, a large picture is decoded behind
// every check), and a style sheet instruction reads another file. So the
// document is parsed here first and written again with only what is safe.
#include "pictures/svgcleaner.h"

#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
constexpr int MaxElements = 50000; // beyond this, drawing alone takes well over a second
constexpr qint64 MaxEntityChars = 4096; // what the XML reader lets one entity expand to
constexpr qint64 MaxExpansionChars = qint64(1) << 20; // what all entity references may add
constexpr qsizetype MaxOutputBytes = qsizetype(32) << 20;
constexpr int MaxEntityNesting = 16;
constexpr qsizetype MaxEntityName = 64;

QStringView localName(QStringView qualified)
{
    return qualified.mid(qualified.lastIndexOf(u':') + 1);
}

qsizetype find(QByteArrayView text, char c, qsizetype from)
{
    return text.indexOf(c, from);
}

qsizetype find(QStringView text, char c, qsizetype from)
{
    return text.indexOf(QLatin1Char(c), from);
}

QString nameOf(QByteArrayView bytes)
{
    return QString::fromUtf8(bytes);
}

QString nameOf(QStringView text)
{
    return text.toString();
}

// How far the entities a DTD declares make the document grow. The XML reader
// caps what one entity expands to, not how often it is used: a small file
// can ask for gigabytes of text, and the reader builds it all before it returns.
class EntityGrowth
{
public:
    explicit EntityGrowth(const QXmlStreamEntityDeclarations &declarations)
    {
        for (const QXmlStreamEntityDeclaration &declaration : declarations)
            m_values.insert(declaration.name().toString(), declaration.value().toString());
    }

    // The characters that expanding every "&name;" in `text` yields.
    template<typename View>
    qint64 charsAdded(View text, int depth = 0)
    {
        qint64 total = 0;
        for (qsizetype i = find(text, '&', 0); i >= 0 && total <= MaxExpansionChars; i = find(text, '&', i + 1)) {
            const View candidate = text.sliced(i + 1, std::min(MaxEntityName + 1, text.size() - i - 1));
            const qsizetype length = find(candidate, ';', 0);
            if (length > 0)
                total += charsOf(nameOf(candidate.first(length)), depth);
        }
        return total;
    }

private:
    qint64 charsOf(const QString &name, int depth)
    {
        const auto value = m_values.constFind(name);
        if (value == m_values.constEnd())
            return 0; // predefined, a character reference, or not an entity at all
        if (depth > MaxEntityNesting)
            return MaxEntityChars;
        const auto known = m_chars.constFind(name);
        if (known != m_chars.constEnd())
            return *known;
        const qint64 chars = std::min(MaxEntityChars, value->size() + charsAdded(QStringView(*value), depth + 1));
        m_chars.insert(name, chars);
        return chars;
    }

    QHash<QString, QString> m_values;
    QHash<QString, qint64> m_chars;
};

using Attributes = std::vector<std::pair<QString, QString>>;

bool isHref(const QString &qualifiedName)
{
    return localName(qualifiedName) == u"href";
}

// The bytes of a base64 data URI, the only kind the SVG decoder reads.
std::optional<QByteArray> dataUriBytes(QStringView uri)
{
    uri = uri.trimmed();
    const qsizetype comma = uri.indexOf(u',');
    if (!uri.startsWith(u"data:", Qt::CaseInsensitive) || comma < 0
        || !uri.left(comma).endsWith(u";base64", Qt::CaseInsensitive))
        return std::nullopt;
    return QByteArray::fromBase64(uri.mid(comma + 1).toLatin1());
}

class Cleaner
{
public:
    Cleaner(const QByteArray &document, const EmbedFunction &embed)
        : m_document(document), m_reader(document), m_writer(&m_out), m_embed(embed)
    {
        m_reader.setNamespaceProcessing(false); // names and namespace declarations are copied as they stand
    }

    std::optional<QByteArray> run()
    {
        m_writer.writeStartDocument();
        while (!m_reader.atEnd() && m_out.size() <= MaxOutputBytes) {
            if (!copyToken())
                return std::nullopt;
        }
        if (m_reader.hasError() || m_out.size() > MaxOutputBytes)
            return std::nullopt;
        m_writer.writeEndDocument();
        return m_out;
    }

private:
    // Copies the next token, or drops it; false when the document is refused.
    bool copyToken()
    {
        switch (m_reader.readNext()) {
        case QXmlStreamReader::DTD: {
            EntityGrowth growth(m_reader.entityDeclarations());
            return m_reader.entityDeclarations().isEmpty()
                || growth.charsAdded(QByteArrayView(m_document)) <= MaxExpansionChars;
        }
        case QXmlStreamReader::StartElement:
            if (++m_elements > MaxElements)
                return false;
            copyStartElement();
            return true;
        case QXmlStreamReader::EndElement:
            m_writer.writeEndElement();
            return true;
        case QXmlStreamReader::Characters:
            if (m_reader.isCDATA())
                m_writer.writeCDATA(m_reader.text().toString());
            else
                m_writer.writeCharacters(m_reader.text().toString());
            return true;
        default: // comments, processing instructions, entities left unresolved
            return true;
        }
    }

    void copyStartElement()
    {
        const QString name = m_reader.qualifiedName().toString();
        Attributes attributes;
        for (const QXmlStreamAttribute &attribute : m_reader.attributes())
            attributes.emplace_back(attribute.qualifiedName().toString(), attribute.value().toString());
        if (localName(name) == u"image") {
            m_reader.skipCurrentElement();
            copyImage(name, attributes);
            return;
        }
        m_writer.writeStartElement(name);
        for (const auto &[attribute, value] : attributes) {
            if (!isHref(attribute) || value.startsWith(u'#')) // "#id" names a part of this document
                m_writer.writeAttribute(attribute, value);
        }
    }

    // Writes an <image> only when it embeds its picture and `embed` accepts it.
    void copyImage(const QString &name, const Attributes &attributes)
    {
        std::optional<EmbeddedPicture> picture;
        for (const auto &[attribute, value] : attributes) {
            if (!isHref(attribute))
                continue;
            const std::optional<QByteArray> bytes = dataUriBytes(value);
            picture = bytes ? m_embed(*bytes) : std::nullopt;
            if (!picture)
                return;
        }
        if (!picture)
            return;
        m_writer.writeStartElement(name);
        bool sized[2] = {false, false};
        for (const auto &[attribute, value] : attributes) {
            if (isHref(attribute) || attribute == u"xmlns:xlink")
                continue;
            sized[0] = sized[0] || attribute == u"width";
            sized[1] = sized[1] || attribute == u"height";
            m_writer.writeAttribute(attribute, value);
        }
        // The picture may now have fewer pixels; a missing size must still mean the stored one.
        if (!sized[0])
            m_writer.writeAttribute(QStringLiteral("width"), QString::number(picture->size.width()));
        if (!sized[1])
            m_writer.writeAttribute(QStringLiteral("height"), QString::number(picture->size.height()));
        m_writer.writeAttribute(QStringLiteral("xmlns:xlink"), QStringLiteral("http://www.w3.org/1999/xlink"));
        m_writer.writeAttribute(QStringLiteral("xlink:href"),
            QStringLiteral("data:image/png;base64,") + QString::fromLatin1(picture->png.toBase64()));
        m_writer.writeEndElement();
    }

    const QByteArray &m_document;
    QXmlStreamReader m_reader;
    QByteArray m_out;
    QXmlStreamWriter m_writer;
    const EmbedFunction &m_embed;
    int m_elements = 0;
};
}

std::optional<QByteArray> cleanSvg(const QByteArray &document, const EmbedFunction &embed)
{
    return Cleaner(document, embed).run();
}
