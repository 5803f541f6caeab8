#include "skin/layout_document.h"

#include "skin/button.h"
#include "skin/gif_anim.h"
#include "skin/label.h"
#include "skin/utf8.h"
#include "skin/vertical_layout.h"

#include <tinyxml.h>

#include <cstdlib>

namespace skin {
namespace {

std::unique_ptr<Control> MakeControl(const std::string& kind) {
    if (kind == "VerticalLayout") return std::make_unique<VerticalLayout>();
    if (kind == "Label") return std::make_unique<Label>();
    if (kind == "Button") return std::make_unique<Button>();
    if (kind == "GifAnim") return std::make_unique<GifAnim>();
    return nullptr;
}

// Builds the control of element with its subtree; null for unknown kinds.
std::unique_ptr<Control> BuildControl(const TiXmlElement& element) {
    std::unique_ptr<Control> control = MakeControl(element.ValueStr());
    if (!control) return nullptr;
    for (const TiXmlAttribute* a = element.FirstAttribute(); a; a = a->Next()) {
        control->SetAttribute(Utf8ToWide(a->NameTStr()), Utf8ToWide(a->ValueStr()));
    }
    for (const TiXmlElement* child = element.FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (auto built = BuildControl(*child)) control->AddChild(std::move(built));
    }
    return control;
}

void ReadWindowAttributes(const TiXmlElement& element, WindowAttributes& window) {
    for (const TiXmlAttribute* a = element.FirstAttribute(); a; a = a->Next()) {
        const std::string& name = a->NameTStr();
        std::wstring value = Utf8ToWide(a->ValueStr());
        if (name == "size") {
            window.size = ParseSize(value);
        } else if (name == "caption") {
            window.caption = ParseRect(value);
        } else if (name == "sizebox") {
            window.sizebox = ParseRect(value);
        } else if (name == "maxinfo") {
            window.maxinfo = ParseSize(value);
        } else if (name == "bktrans") {
            window.bktrans = ParseBool(value);
        } else if (name == "showshadow") {
            window.showshadow = ParseBool(value);
        } else if (name == "shadowcorner") {
            window.shadowcorner = ParseRect(value);
        }
    }
}

void AddFont(const TiXmlElement& element, FontTable& fonts) {
    const char* face = element.Attribute("name");
    const char* size = element.Attribute("size");
    const char* underline = element.Attribute("underline");
    const char* isDefault = element.Attribute("default");
    fonts.Add(Utf8ToWide(face ? face : ""), size ? std::atoi(size) : 12,
              underline && ParseBool(Utf8ToWide(underline)),
              isDefault && ParseBool(Utf8ToWide(isDefault)));
}

}  // namespace

bool ParseLayout(const std::string& markup, LayoutDocument& document) {
    TiXmlDocument xml;
    xml.Parse(markup.c_str(), nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* window = xml.RootElement();
    if (xml.Error() || !window || window->ValueStr() != "Window") return false;

    LayoutDocument built;
    built.fonts = std::make_unique<FontTable>();
    ReadWindowAttributes(*window, built.window);
    for (const TiXmlElement* child = window->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (child->ValueStr() == "Font") {
            AddFont(*child, *built.fonts);
        } else if (!built.root) {
            built.root = BuildControl(*child);
        }
    }
    if (!built.root) return false;
    document = std::move(built);
    return true;
}

}  // namespace skin
