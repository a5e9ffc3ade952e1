// A small, strict-enough reader of the files the spreadsheet server writes.
#include "tests/automation/XlsxReader.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace xlsxtest {
namespace {

uint32_t U16(const std::string& s, size_t at) {
    if (at + 2 > s.size()) throw std::runtime_error("zip: truncated");
    return uint8_t(s[at]) | uint32_t(uint8_t(s[at + 1])) << 8;
}
uint32_t U32(const std::string& s, size_t at) { return U16(s, at) | U16(s, at + 2) << 16; }

std::string Inflate(const std::string& data, size_t size) {
    std::string out(size, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw std::runtime_error("zip: inflateInit");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (rc != Z_STREAM_END || z.total_out != size) throw std::runtime_error("zip: bad deflate data");
    return out;
}

// --- A tag scanner over the XML the files hold -----------------------------------------
struct Tag {
    std::string Name;                          // "c", "/c"
    std::map<std::string, std::string> Attrs;
    bool SelfClosing = false;
};

std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            size_t semi = s.find(';', i);
            std::string ent = s.substr(i + 1, semi - i - 1);
            if (ent == "lt") out += '<';
            else if (ent == "gt") out += '>';
            else if (ent == "amp") out += '&';
            else if (ent == "quot") out += '"';
            else if (ent == "apos") out += '\'';
            else if (!ent.empty() && ent[0] == '#') {
                long code = ent[1] == 'x' ? std::strtol(ent.c_str() + 2, nullptr, 16) : std::strtol(ent.c_str() + 1, nullptr, 10);
                if (code < 0x80) out += char(code);
                else throw std::runtime_error("xml: non-ASCII character reference");
            } else throw std::runtime_error("xml: unknown entity " + ent);
            i = semi;
        } else if (s.compare(i, 2, "_x") == 0 && i + 6 < s.size() && s[i + 6] == '_') {
            // The file format's escape of control characters: _x0001_.
            out += char(std::strtol(s.substr(i + 2, 4).c_str(), nullptr, 16));
            i += 6;
        } else {
            out += s[i];
        }
    }
    return out;
}

class Scanner {
public:
    explicit Scanner(const std::string& xml) : FXml(xml) {}
    // The next tag; the text before it goes to text. False at the end.
    bool Next(Tag& tag, std::string& text) {
        size_t lt = FXml.find('<', FPos);
        if (lt == std::string::npos) return false;
        text = Unescape(FXml.substr(FPos, lt - FPos));
        if (FXml.compare(lt, 2, "<?") == 0) {
            FPos = FXml.find("?>", lt) + 2;
            return Next(tag, text);
        }
        size_t gt = FXml.find('>', lt);
        if (gt == std::string::npos) throw std::runtime_error("xml: unterminated tag");
        std::string body = FXml.substr(lt + 1, gt - lt - 1);
        FPos = gt + 1;
        tag = Tag();
        tag.SelfClosing = !body.empty() && body.back() == '/';
        if (tag.SelfClosing) body.pop_back();
        size_t i = body.find_first_of(" \t\r\n");
        tag.Name = body.substr(0, i);
        while (i != std::string::npos && i < body.size()) {
            size_t eq = body.find('=', i);
            if (eq == std::string::npos) break;
            size_t nameStart = body.find_first_not_of(" \t\r\n", i);
            std::string name = body.substr(nameStart, eq - nameStart);
            char q = body[eq + 1];
            size_t end = body.find(q, eq + 2);
            tag.Attrs[name] = Unescape(body.substr(eq + 2, end - eq - 2));
            i = end + 1;
        }
        return true;
    }

private:
    const std::string& FXml;
    size_t FPos = 0;
};

std::pair<int, int> CellRef(const std::string& ref) {
    int col = 0;
    size_t i = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z') col = col * 26 + (ref[i++] - 'A' + 1);
    return {std::atoi(ref.c_str() + i), col};
}

struct Styles {
    std::vector<bool> FontBold;
    std::vector<std::pair<int, int>> Xfs;   // numFmtId, fontId
    std::map<int, std::string> Formats;

    void Read(const std::string& xml) {
        Scanner s(xml);
        Tag t;
        std::string text;
        enum { None, Fonts, CellXfs } section = None;
        while (s.Next(t, text)) {
            if (t.Name == "fonts") section = Fonts;
            else if (t.Name == "cellXfs") section = CellXfs;
            else if (t.Name == "/fonts" || t.Name == "/cellXfs") section = None;
            else if (t.Name == "numFmt") Formats[std::stoi(t.Attrs["numFmtId"])] = t.Attrs["formatCode"];
            else if (section == Fonts && t.Name == "font") FontBold.push_back(false);
            else if (section == Fonts && t.Name == "b" && !FontBold.empty()) FontBold.back() = true;
            else if (section == CellXfs && t.Name == "xf")
                Xfs.push_back({std::stoi(t.Attrs["numFmtId"]), std::stoi(t.Attrs["fontId"])});
        }
    }
    std::string FormatOf(int xf) const {
        if (xf < 0 || xf >= int(Xfs.size())) return {};
        int id = Xfs[size_t(xf)].first;
        if (id == 0) return {};
        if (id == 49) return "@";
        auto it = Formats.find(id);
        return it == Formats.end() ? "builtin:" + std::to_string(id) : it->second;
    }
    bool BoldOf(int xf) const {
        if (xf < 0 || xf >= int(Xfs.size())) return false;
        int font = Xfs[size_t(xf)].second;
        return font >= 0 && font < int(FontBold.size()) && FontBold[size_t(font)];
    }
};

void ReadSheet(const std::string& xml, const Styles& styles, const std::vector<std::string>& shared, Sheet& sheet) {
    Scanner s(xml);
    Tag t;
    std::string text;
    Cell* cell = nullptr;
    std::string cellType;
    std::string value;
    bool inValue = false;
    sheet.Selection = "A1";
    while (s.Next(t, text)) {
        if (inValue) value += text;
        if (t.Name == "col") {
            int min = std::stoi(t.Attrs["min"]), max = std::stoi(t.Attrs["max"]);
            for (int c = min; c <= max; ++c) {
                Column& col = sheet.Columns[c];
                if (t.Attrs.count("width")) col.Width = std::stod(t.Attrs["width"]);
                if (t.Attrs.count("style")) col.NumberFormat = styles.FormatOf(std::stoi(t.Attrs["style"]));
            }
        } else if (t.Name == "selection") {
            if (t.Attrs.count("sqref")) sheet.Selection = t.Attrs["sqref"];
        } else if (t.Name == "c") {
            auto ref = CellRef(t.Attrs["r"]);
            cell = &sheet.Cells[ref];
            cellType = t.Attrs.count("t") ? t.Attrs["t"] : "n";
            int xf = t.Attrs.count("s") ? std::stoi(t.Attrs["s"]) : 0;
            cell->Bold = styles.BoldOf(xf);
            cell->NumberFormat = styles.FormatOf(xf);
            cell->Type = cellType == "s" || cellType == "inlineStr" ? 's' : cellType == "b" ? 'b'
                         : cellType == "n" ? 'n' : 'e';
            value.clear();
            if (t.SelfClosing) cell = nullptr;
        } else if (t.Name == "v" || t.Name == "t") {
            if (!t.SelfClosing) {
                inValue = true;
                value.clear();
            }
        } else if (t.Name == "/v" || t.Name == "/t") {
            inValue = false;
        } else if (t.Name == "/c" && cell) {
            if (cellType == "s") cell->Text = shared.at(std::stoul(value));
            else cell->Text = value;
            if (cell->Type == 'n' || cell->Type == 'b') cell->Number = std::strtod(value.c_str(), nullptr);
            cell = nullptr;
        }
    }
}

}  // namespace

std::map<std::string, std::string> ReadZip(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string zip = ss.str();
    size_t eocd = zip.rfind(std::string("PK\x05\x06", 4));
    if (eocd == std::string::npos) throw std::runtime_error("zip: no end of central directory");
    uint32_t entries = U16(zip, eocd + 10);
    size_t at = U32(zip, eocd + 16);
    std::map<std::string, std::string> files;
    for (uint32_t i = 0; i < entries; ++i) {
        if (U32(zip, at) != 0x02014b50) throw std::runtime_error("zip: bad central directory");
        uint32_t method = U16(zip, at + 10);
        uint32_t compressed = U32(zip, at + 20), size = U32(zip, at + 24);
        uint32_t nameLen = U16(zip, at + 28), extraLen = U16(zip, at + 30), commentLen = U16(zip, at + 32);
        uint32_t local = U32(zip, at + 42);
        std::string name = zip.substr(at + 46, nameLen);
        at += 46 + nameLen + extraLen + commentLen;
        if (U32(zip, local) != 0x04034b50) throw std::runtime_error("zip: bad local header");
        size_t data = local + 30 + U16(zip, local + 26) + U16(zip, local + 28);
        std::string raw = zip.substr(data, compressed);
        if (method == 0) files[name] = raw;
        else if (method == 8) files[name] = Inflate(raw, size);
        else throw std::runtime_error("zip: unknown method");
        // The CRC proves the bytes are the ones written.
        uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(files[name].data()), uInt(files[name].size()));
        if (crc != U32(zip, local + 14) && crc != U32(zip, at - (46 + nameLen + extraLen + commentLen) + 16))
            throw std::runtime_error("zip: CRC mismatch in " + name);
    }
    return files;
}

int Sheet::RowCount() const {
    int rows = 0;
    for (const auto& [ref, cell] : Cells) rows = std::max(rows, ref.first);
    return rows;
}

const Cell* Sheet::At(int row, int col) const {
    auto it = Cells.find({row, col});
    return it == Cells.end() ? nullptr : &it->second;
}

Book ReadXlsx(const std::string& path) {
    auto files = ReadZip(path);
    auto need = [&](const std::string& name) -> const std::string& {
        auto it = files.find(name);
        if (it == files.end()) throw std::runtime_error("xlsx: missing " + name);
        return it->second;
    };
    Styles styles;
    styles.Read(need("xl/styles.xml"));
    std::vector<std::string> shared;
    if (files.count("xl/sharedStrings.xml")) {
        Scanner s(files["xl/sharedStrings.xml"]);
        Tag t;
        std::string text, current;
        bool in = false;
        while (s.Next(t, text)) {
            if (in) current += text;
            if (t.Name == "si") current.clear();
            else if (t.Name == "t" && !t.SelfClosing) in = true;
            else if (t.Name == "/t") in = false;
            else if (t.Name == "/si") shared.push_back(current);
        }
    }
    std::map<std::string, std::string> targets;
    {
        Scanner s(need("xl/_rels/workbook.xml.rels"));
        Tag t;
        std::string text;
        while (s.Next(t, text))
            if (t.Name == "Relationship") targets[t.Attrs["Id"]] = t.Attrs["Target"];
    }
    Book book;
    Scanner s(need("xl/workbook.xml"));
    Tag t;
    std::string text;
    while (s.Next(t, text)) {
        if (t.Name == "workbookView" && t.Attrs.count("activeTab")) book.ActiveSheet = std::stoi(t.Attrs["activeTab"]);
        if (t.Name != "sheet") continue;
        Sheet sheet;
        sheet.Name = t.Attrs["name"];
        ReadSheet(need("xl/" + targets.at(t.Attrs["r:id"])), styles, shared, sheet);
        book.Sheets.push_back(std::move(sheet));
    }
    return book;
}

}  // namespace xlsxtest
