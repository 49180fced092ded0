#include "uXMLUtils.h"

#include "Conversions.h"
#include "Errors.h"
#include "MessageBox.h"
#include "XmlDom.h"

#include <optional>

namespace {

QString NodeName(pugi::xml_node node) { return QStr(node.name()); }

[[noreturn]] void RaiseNoAttribute(pugi::xml_node node, const QString &name)
{
    throw Exception(QStringLiteral("Node \"%1\" has no attribute \"%2\".").arg(NodeName(node), name));
}

// A plain element name selects element children by name: the same nodes the query language would
// find, without compiling a query for every lookup.
bool IsPlainName(const QString &path)
{
    if (path.isEmpty())
        return false;
    for (int i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        const bool letter = c.isLetter() || c == QLatin1Char('_');
        const bool other = c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!(letter || (i > 0 && other)))
            return false;
    }
    return true;
}

// All nodes the path finds under node; nullopt when the path is no valid query.
std::optional<std::vector<pugi::xml_node>> Query(pugi::xml_node node, const QString &path, bool firstOnly)
{
    std::vector<pugi::xml_node> found;
    if (IsPlainName(path)) {
        const QByteArray name = path.toUtf8();
        for (pugi::xml_node c = node.child(name.constData()); c; c = c.next_sibling(name.constData())) {
            found.push_back(c);
            if (firstOnly)
                break;
        }
        return found;
    }
    try {
        const QByteArray query = path.toUtf8();
        pugi::xpath_query q(query.constData());
        if (!q)
            return std::nullopt;
        for (const pugi::xpath_node &n : q.evaluate_node_set(node)) {
            pugi::xml_node hit = n.node() ? n.node() : n.parent();
            if (!hit)
                continue;
            found.push_back(hit);
            if (firstOnly)
                break;
        }
    } catch (const std::exception &) {
        return std::nullopt;
    }
    return found;
}

} // namespace

QString GetNodeAttribute(pugi::xml_node node, const QString &name)
{
    if (!node)
        return QString();
    const pugi::xml_attribute a = node.attribute(name.toUtf8().constData());
    if (!a)
        RaiseNoAttribute(node, name);
    return QStr(a.value());
}

QString GetNodeAttributeDef(pugi::xml_node node, const QString &name, const QString &fallback)
{
    if (!node)
        return QString();
    const pugi::xml_attribute a = node.attribute(name.toUtf8().constData());
    return a ? QStr(a.value()) : fallback;
}

void SetNodeAttribute(pugi::xml_node node, const QString &name, const QString &value)
{
    if (!node)
        return;
    pugi::xml_attribute a = node.attribute(name.toUtf8().constData());
    if (!a)
        RaiseNoAttribute(node, name);
    a.set_value(XmlCharsOnly(value).toUtf8().constData());
}

pugi::xml_node SelectChildNode(pugi::xml_node node, const QString &path)
{
    if (!node)
        return pugi::xml_node();
    const auto found = Query(node, path, true);
    if (!found || found->empty())
        throw Exception(QStringLiteral("Element \"%1\" has no node \"%2\".").arg(NodeName(node), path));
    return found->front();
}

pugi::xml_node SelectNodeOrNil(pugi::xml_node node, const QString &path)
{
    if (!node)
        return pugi::xml_node();
    const auto found = Query(node, path, true);
    return found && !found->empty() ? found->front() : pugi::xml_node();
}

std::vector<pugi::xml_node> SelectChildNodes(pugi::xml_node node, const QString &path)
{
    if (!node)
        return {};
    auto found = Query(node, path, false);
    if (!found)
        throw Exception(QStringLiteral("Element \"%1\" has no node list \"%2\".").arg(NodeName(node), path));
    return std::move(*found);
}

TXMLUtils::TXMLUtils(const QString &text)
{
    LoadXml(text);
}

TXMLUtils::~TXMLUtils() = default;

void TXMLUtils::LoadXml(const QString &text)
{
    if (!FDocument)
        FDocument = std::make_unique<pugi::xml_document>();
    // A reload never shows what the previous text held, also when the new one is blank.
    FDocument->reset();
    if (TrimText(text).isEmpty())
        return;
    QString reason;
    bool parsed;
    try {
        parsed = ParseXml(*FDocument, text, &reason);
    } catch (const std::exception &) {
        FDocument->reset();
        throw Exception(QStringLiteral("XML format is incorrect."));
    }
    if (!parsed)
        ShowPlainMessage(reason);
}

pugi::xml_document &TXMLUtils::Document()
{
    return *FDocument;
}

pugi::xml_node TXMLUtils::Root() const
{
    return FDocument->document_element();
}

pugi::xml_node TXMLUtils::Element(std::initializer_list<const char *> path) const
{
    pugi::xml_node node = Root();
    for (const char *name : path)
        node = SelectChildNode(node, QString::fromLatin1(name));
    return node;
}

QString TXMLUtils::GetSoundSrc() const { return GetNodeAttribute(Element({"main", "sound"}), QStringLiteral("src")); }
QString TXMLUtils::GetBackgroundSrc() const { return GetNodeAttribute(Element({"design", "background"}), QStringLiteral("src")); }
QString TXMLUtils::GetButtonType() const { return GetNodeAttribute(Element({"design", "menubar"}), QStringLiteral("buttontype")); }
QString TXMLUtils::GetMainImgSrc() const { return GetNodeAttribute(Element({"main", "img"}), QStringLiteral("src")); }
QString TXMLUtils::GetMenuFileSrc() const { return GetNodeAttribute(Element({"menufile"}), QStringLiteral("src")); }

int32_t TXMLUtils::GetBackgroundWidth() const
{
    return StrToInt(GetNodeAttribute(Element({"design", "background"}), QStringLiteral("width")));
}

int32_t TXMLUtils::GetBackgroundHeight() const
{
    return StrToInt(GetNodeAttribute(Element({"design", "background"}), QStringLiteral("height")));
}

QString TXMLUtils::GetIconLinkImg(int number) const
{
    QString result;
    const QString wanted = QString::number(number);
    for (pugi::xml_node item : SelectChildNodes(Element({"iconlink"}), QStringLiteral("item")))
        if (GetNodeAttribute(item, QStringLiteral("id")) == wanted)
            result = GetNodeAttribute(item, QStringLiteral("img"));
    return result;
}

QString TXMLUtils::GetXml() const
{
    return XmlSerialize(*FDocument);
}

void TXMLUtils::SetBackgroundSrc(const QString &value) { SetNodeAttribute(Element({"design", "background"}), QStringLiteral("src"), value); }
void TXMLUtils::SetButtonType(const QString &value) { SetNodeAttribute(Element({"design", "menubar"}), QStringLiteral("buttontype"), value); }
void TXMLUtils::SetSoundSrc(const QString &value) { SetNodeAttribute(Element({"main", "sound"}), QStringLiteral("src"), value); }
void TXMLUtils::SetMainImgSrc(const QString &value) { SetNodeAttribute(Element({"main", "img"}), QStringLiteral("src"), value); }
void TXMLUtils::SetMenuFileSrc(const QString &value) { SetNodeAttribute(Element({"menufile"}), QStringLiteral("src"), value); }

void TXMLUtils::SetIconLinkImg(int number, const QString &value)
{
    // Every item is checked before the first one changes, so a fault leaves the document as it was.
    const QString wanted = QString::number(number);
    std::vector<pugi::xml_node> matches;
    for (pugi::xml_node item : SelectChildNodes(Element({"iconlink"}), QStringLiteral("item")))
        if (GetNodeAttribute(item, QStringLiteral("id")) == wanted) {
            GetNodeAttribute(item, QStringLiteral("img"));
            matches.push_back(item);
        }
    for (pugi::xml_node item : matches)
        SetNodeAttribute(item, QStringLiteral("img"), value);
}
