#include "host/driver/catalog.h"

#include <algorithm>

#include "host/driver/dynamic_library.h"

namespace {

// The type names that a host may ask a model library to create, in alphabetical order.
const char* const CreatableTypes[] = {"ANGLEDOMAIN",    "CONNECTION",        "CONTROLSIGNAL",
                                      "DISTRIBUTION1D", "DISTRIBUTION2D",    "DISTRIBUTION3D",
                                      "DOMAIN",         "GENERICCONNECTION", "GENERICCONTROLSIGNAL",
                                      "GENERICMODEL",   "GENERICSTREAM",     "GENERICSTRUCTURE",
                                      "LENGTHDOMAIN",   "SECTIONDATAMODEL"};

// `text` on one line: tabs, line ends and other control characters written as escapes (and a
// backslash doubled, so that escapes stay unambiguous); a container id such as
// "Model GENERICMODEL<tab>V8.8" reads "Model GENERICMODEL\tV8.8".
std::string Escaped(const char* text) {
    std::string shown;
    for (const char* c = text; *c; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        if (byte == '\t') {
            shown += "\\t";
        } else if (byte == '\n') {
            shown += "\\n";
        } else if (byte == '\r') {
            shown += "\\r";
        } else if (byte == '\\') {
            shown += "\\\\";
        } else if (byte < ' ' || byte == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            shown += hex;
        } else {
            shown += *c;
        }
    }
    return shown;
}

const char* FormText(QV_RegistrationForm form) {
    switch (form) {
    case QV_RegistrationForm::Type:
        return "type";
    case QV_RegistrationForm::External:
        return "external";
    case QV_RegistrationForm::Virtual:
        return "virtual";
    case QV_RegistrationForm::None:
        break;
    }
    return "unregistered";
}

// One line per registered property, in registration order, names in one column:
//   <k> <name> <description or -> direction <d> <form>[, not exported][, host port type <n>]
void PrintProperties(std::FILE* out, const QV_Container& object) {
    const int count = object.PropertyCount();
    int width = 0;
    for (int k = 0; k < count; ++k)
        if (const QV_Containable* property = object.PropertyAt(k))
            width = std::max(width, static_cast<int>(Escaped(property->Name()).size()));
    for (int k = 0; k < count; ++k) {
        const QV_Containable* property = object.PropertyAt(k);
        if (!property) {
            std::fprintf(out, "  %3d (no property)\n", k + 1);
            continue;
        }
        const char* description = property->Description();
        std::fprintf(out, "  %3d %-*s  %s  direction %d  %s", k + 1, width,
                     Escaped(property->Name()).c_str(),
                     description ? ("\"" + Escaped(description) + "\"").c_str() : "-",
                     property->Direction(), FormText(property->RegistrationForm()));
        if (!property->IsToBeExported()) std::fputs(", not exported", out);
        if (property->HostPortType() != 0)
            std::fprintf(out, ", host port type %d", property->HostPortType());
        std::fputc('\n', out);
    }
}

// The header line of `type` and, when its factory is exported, the lines of one object that
// the factory makes, released before the next type.
void PrintType(std::FILE* out, ModelLibrary& library, const std::string& type) {
    const std::string factory = type + "Factory";
    const std::string info = type + "PropertyInfo";
    const std::string compatibility = "_Compatibility" + type;
    const bool hasFactory = library.Symbol(factory) != nullptr;
    const bool hasInfo = library.Symbol(info) != nullptr;
    const auto* numbers = static_cast<const int*>(library.Symbol(compatibility));
    if (!hasFactory && !hasInfo && !numbers) {
        std::fprintf(out, "%s: absent (exports none of %s, %s, %s)\n", type.c_str(),
                     factory.c_str(), info.c_str(), compatibility.c_str());
        return;
    }

    std::string header = type + ": Factory " + (hasFactory ? "yes" : "absent") + ", PropertyInfo " +
                         (hasInfo ? "yes" : "absent") + ", " + compatibility;
    // The compatibility data: two 32-bit integers that the host reads in place.
    header +=
        numbers ? " " + std::to_string(numbers[0]) + ", " + std::to_string(numbers[1]) : " absent";
    if (!hasFactory) {
        std::fprintf(out, "%s\n", header.c_str());
        return;
    }
    std::string error;
    const ModelPtr object = library.Create(type, error);
    if (!object) {
        std::fprintf(out, "%s; %s\n", header.c_str(), error.c_str());
        return;
    }
    const char* id = object->QV_DefaultDESCRIPTION();
    const int count = object->PropertyCount();
    std::fprintf(out, "%s; id \"%s\", %d propert%s\n", header.c_str(),
                 id ? Escaped(id).c_str() : "(null)", count, count == 1 ? "y" : "ies");
    PrintProperties(out, *object);
}

} // namespace

void PrintCatalog(std::FILE* out, ModelLibrary& library, const std::string& path) {
    std::fprintf(out, "library %s\n", path.c_str());
    // Both texts are empty for an ELF library, which has no resources.
    const std::string version = LibraryVersionText(library.Handle());
    const std::string content = LibraryContentText(library.Handle());
    std::fprintf(out, "version: %s\n",
                 version.empty() ? "none (an ELF library carries no version resource)"
                                 : Escaped(version.c_str()).c_str());
    std::fprintf(out, "CONTENT: %s\n",
                 content.empty() ? "none (an ELF library carries no resources)"
                                 : Escaped(content.c_str()).c_str());
    for (const char* type : CreatableTypes)
        PrintType(out, library, type);
}
