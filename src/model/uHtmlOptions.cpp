#include "uHtmlOptions.h"

#include "Conversions.h"
#include "Errors.h"
#include "FileWrite.h"
#include "XmlDom.h"
#include "uDesign.h"
#include "uMenuXml.h"
#include "uXMLUtils.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

const QString Declaration = QStringLiteral("<?xml version=\"1.0\"?>\r\n");

// A new element name under the parent, with attribute value unless the value is empty.
void AddValueElement(pugi::xml_document &doc, const QString &parentPath, const QString &name, const QString &value)
{
    pugi::xml_node parent = SelectNodeOrNil(doc, parentPath);
    if (!parent)
        return;
    pugi::xml_node element = parent.append_child(name.toUtf8().constData());
    if (!value.isEmpty())
        element.append_attribute("value").set_value(XmlCharsOnly(value).toUtf8().constData());
}

void RemoveChildElement(pugi::xml_document &doc, const QString &parentPath, const QString &childPath)
{
    pugi::xml_node parent = SelectNodeOrNil(doc, parentPath);
    if (!parent)
        return;
    if (pugi::xml_node child = SelectNodeOrNil(parent, childPath))
        parent.remove_child(child);
}

// The library splits a "]]>" inside the text over two CDATA sections when it saves.
void ReplaceCDataChild(pugi::xml_document &doc, const QString &parentPath, const QString &name, const QString &text)
{
    pugi::xml_node parent = SelectNodeOrNil(doc, parentPath);
    if (!parent)
        return;
    RemoveChildElement(doc, parentPath, name);
    pugi::xml_node element = parent.append_child(name.toUtf8().constData());
    element.append_child(pugi::node_cdata).set_value(XmlCharsOnly(text).toUtf8().constData());
}

QString KeyName(int n) { return QStringLiteral("key%1").arg(n); }

// The saved form: the declaration on a line of its own, the elements without indentation.
QByteArray DocumentBytes(const pugi::xml_document &doc)
{
    return (Declaration + XmlSerialize(doc) + QStringLiteral("\r\n")).toUtf8();
}

struct TTemplateDesign {
    TMenuBarStyle Bar;
    TDesignLook Look;
};

TTemplateDesign ParseTemplateDesign(const pugi::xml_document &doc)
{
    const pugi::xml_node design = SelectChildNode(doc.document_element(), QStringLiteral("design"));
    const pugi::xml_node menubar = SelectChildNode(design, QStringLiteral("menubar"));
    TTemplateDesign parsed;
    parsed.Bar = ReadMenuBarStyle(menubar);
    parsed.Look = ReadDesignLook(design, TLookSource::TemplateDesign);
    return parsed;
}

void BuildHtmlOptionsDocument(pugi::xml_document &doc, const THtmlPageOptions &options)
{
    ParseXml(doc, QStringLiteral("<?xml version=\"1.0\"?><template></template>"));
    const QString root = QStringLiteral("/template");
    AddValueElement(doc, root, QStringLiteral("sitetitle"), options.Title);
    AddValueElement(doc, root, QStringLiteral("description"), QString());
    AddValueElement(doc, root, QStringLiteral("bgcolor"), QStringLiteral("0x") + IntToHex6(options.BackgroundColor));
    ReplaceCDataChild(doc, QStringLiteral("/template/description"), QStringLiteral("text"), options.Description);
    for (int n = 1; n <= 12; ++n)
        AddValueElement(doc, root, KeyName(n), options.Keys[size_t(n - 1)]);
}

// What a document that loaded gives; title and description keep their values when it has none.
void ReadHtmlOptionsDocument(const pugi::xml_document &doc, THtmlPageOptions &options)
{
    const pugi::xml_node root = doc.child("template");
    if (const pugi::xml_attribute title = root.child("sitetitle").attribute("value"))
        options.Title = QStr(title.value());
    if (const pugi::xml_node text = root.child("description").child("text"))
        options.Description = XmlNodeText(text);
    // A value that is no number counts as none: white, as for a file without a background colour.
    std::optional<int32_t> colour;
    if (const pugi::xml_attribute bg = root.child("bgcolor").attribute("value"))
        colour = TryStrToInt(QStr(bg.value()));
    options.BackgroundColor = colour ? *colour & 0xFFFFFF : 0xFFFFFF;
    for (int n = 1; n <= 12; ++n) {
        const pugi::xml_attribute key = root.child(KeyName(n).toUtf8().constData()).attribute("value");
        options.Keys[size_t(n - 1)] = key ? QStr(key.value()) : QString();
    }
}

} // namespace

QString BuildHtmlOptionsXml(const THtmlPageOptions &options)
{
    pugi::xml_document doc;
    BuildHtmlOptionsDocument(doc, options);
    return QString::fromUtf8(DocumentBytes(doc));
}

void WriteHtmlOptions(const QString &file, const THtmlPageOptions &options, FileSync sync)
{
    pugi::xml_document doc;
    BuildHtmlOptionsDocument(doc, options);
    WriteFileWhole(file, DocumentBytes(doc), sync);
}

bool ReadHtmlOptions(const QString &file, THtmlPageOptions &options)
{
    if (!QFileInfo(file).isFile())
        return false;
    pugi::xml_document doc;
    QFile in(file);
    const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    if (!in.isOpen() || !ParseXmlBytes(doc, bytes)) {
        // An empty document: nothing to save back, which would only wipe the file.
        ReadHtmlOptionsDocument(doc, options);
        return true;
    }
    in.close();
    ReadHtmlOptionsDocument(doc, options);
    // The file takes the saved form; a file that cannot be written keeps its form. A file already in
    // that form is left alone, so a shipped file the user never changed stays the shipped file.
    const QByteArray saved = DocumentBytes(doc);
    if (saved != bytes)
        TryWriteFileWhole(file, saved);
    return true;
}

void HTMLChanged(TMenuDesign &design)
{
    design.SetModified(true);
}

void ApplyTemplateDesign(const QString &file, TMenuDesign &design)
{
    if (file.isEmpty())
        return;
    QFile in(file);
    pugi::xml_document doc;
    if (!in.open(QIODevice::ReadOnly) || !ParseXmlBytes(doc, in.readAll()))
        return;
    const TTemplateDesign parsed = ParseTemplateDesign(doc);
    ApplyMenuBarStyle(design, parsed.Bar);
    ApplyDesignLook(design, parsed.Look);
}
