#pragma once
// One DOM document over the text of a menu description, with typed reads and writes of the few
// attributes that other code patches, and the node lookups that raise readable errors.
#include <QString>
#include <cstdint>
#include <memory>
#include <pugixml.hpp>
#include <vector>

// Node and attribute lookups. A null node stands for "no node": lookups on it give empty results.
QString GetNodeAttribute(pugi::xml_node node, const QString &name);
QString GetNodeAttributeDef(pugi::xml_node node, const QString &name, const QString &fallback);
void SetNodeAttribute(pugi::xml_node node, const QString &name, const QString &value);
pugi::xml_node SelectChildNode(pugi::xml_node node, const QString &path);
pugi::xml_node SelectNodeOrNil(pugi::xml_node node, const QString &path);
std::vector<pugi::xml_node> SelectChildNodes(pugi::xml_node node, const QString &path);

class TXMLUtils {
public:
    explicit TXMLUtils(const QString &text = QString());
    ~TXMLUtils();
    TXMLUtils(const TXMLUtils &) = delete;
    TXMLUtils &operator=(const TXMLUtils &) = delete;

    // Replaces the document by the text. A parse error is shown in a plain box (nothing is shown off
    // the GUI thread) and leaves an empty document; blank text leaves an empty document silently.
    void LoadXml(const QString &text);

    QString GetSoundSrc() const;
    QString GetBackgroundSrc() const;
    QString GetButtonType() const;
    QString GetMainImgSrc() const;
    QString GetMenuFileSrc() const;
    int32_t GetBackgroundWidth() const;
    int32_t GetBackgroundHeight() const;
    QString GetIconLinkImg(int number) const;
    QString GetXml() const;

    void SetBackgroundSrc(const QString &value);
    void SetButtonType(const QString &value);
    void SetSoundSrc(const QString &value);
    void SetMainImgSrc(const QString &value);
    void SetMenuFileSrc(const QString &value);
    void SetIconLinkImg(int number, const QString &value);

    // The document itself, for callers that walk it with the lookups above.
    pugi::xml_document &Document();
    pugi::xml_node Root() const;

private:
    pugi::xml_node Element(std::initializer_list<const char *> path) const;

    std::unique_ptr<pugi::xml_document> FDocument;
};
