// A workbook model written as an .xlsx file: the package parts as XML, each deflated into
// the zip container as it is produced (zlib). Numbers are written as the shortest text
// that reads back as the same double, so an amount keeps its own digits (8.8, not the
// 8.800000000000001 of sixteen significant digits).
#include "platform/automation/SpreadsheetModel.h"

#include <zlib.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>
#include <utility>

#include "platform/rtl/Exceptions.h"

namespace xls {
namespace {

constexpr const char* DateFormat = "yyyy-m-d";
constexpr const char* DateTimeFormat = "yyyy-m-d h:mm:ss";
constexpr const char* XmlHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* MainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* RelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// --- The zip container ------------------------------------------------------------------------
// Entries deflated one after another; each local header is written first and completed
// once its entry is done. Without the 64-bit extensions: 4 GiB per entry and file.
class TZipWriter {
public:
    explicit TZipWriter(const std::string& path) : FPath(path) {
        FFile = std::fopen(path.c_str(), "wb");
        if (!FFile) throw EFCreateError("Cannot create file \"" + path + "\": " + std::strerror(errno));
    }
    ~TZipWriter() {
        if (FOpen) deflateEnd(&FStream);
        if (FFile) std::fclose(FFile);
    }
    TZipWriter(const TZipWriter&) = delete;
    TZipWriter& operator=(const TZipWriter&) = delete;

    void Begin(const std::string& name) {
        TEntry e;
        e.Name = name;
        e.Offset = Tell();
        FEntries.push_back(e);
        LocalHeader(FEntries.back());
        std::memset(&FStream, 0, sizeof FStream);
        if (deflateInit2(&FStream, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) Fail("zlib");
        FOpen = true;
    }
    void Write(std::string_view data) {
        TEntry& e = FEntries.back();
        e.Crc = crc32(e.Crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
        e.Size += data.size();
        Deflate(data, Z_NO_FLUSH);
    }
    void End() {
        Deflate({}, Z_FINISH);
        deflateEnd(&FStream);
        FOpen = false;
        TEntry& e = FEntries.back();
        e.Compressed = Tell() - e.Offset - 30 - e.Name.size();
        if (e.Size > 0xFFFFFFFFull || e.Compressed > 0xFFFFFFFFull) Fail("the workbook is larger than 4 GiB");
        const uint64_t end = Tell();
        Seek(e.Offset);
        LocalHeader(e);
        Seek(end);
    }
    void Close() {
        const uint64_t start = Tell();
        for (const TEntry& e : FEntries) {
            std::string h;
            U32(h, 0x02014b50);
            U16(h, 20);          // made by
            U16(h, 20);          // needed
            U16(h, 0x0800);      // UTF-8 names
            U16(h, 8);           // deflated
            U16(h, 0);           // time
            U16(h, 0x21);        // date: 1980-1-1
            U32(h, e.Crc);
            U32(h, static_cast<uint32_t>(e.Compressed));
            U32(h, static_cast<uint32_t>(e.Size));
            U16(h, static_cast<uint16_t>(e.Name.size()));
            U16(h, 0);
            U16(h, 0);
            U16(h, 0);
            U16(h, 0);
            U32(h, 0);
            U32(h, static_cast<uint32_t>(e.Offset));
            h += e.Name;
            Raw(h);
        }
        const uint64_t size = Tell() - start;
        if (Tell() > 0xFFFFFFFFull || FEntries.size() > 0xFFFF) Fail("the workbook is larger than 4 GiB");
        std::string t;
        U32(t, 0x06054b50);
        U16(t, 0);
        U16(t, 0);
        U16(t, static_cast<uint16_t>(FEntries.size()));
        U16(t, static_cast<uint16_t>(FEntries.size()));
        U32(t, static_cast<uint32_t>(size));
        U32(t, static_cast<uint32_t>(start));
        U16(t, 0);
        Raw(t);
        if (std::fflush(FFile) != 0) Fail(std::strerror(errno));
        const int closed = std::fclose(FFile);
        FFile = nullptr;
        if (closed != 0) Fail(std::strerror(errno));
    }

private:
    struct TEntry {
        std::string Name;
        uint64_t Offset = 0, Size = 0, Compressed = 0;
        uLong Crc = crc32(0L, Z_NULL, 0);
    };

    [[noreturn]] void Fail(const std::string& reason) {
        throw EWriteError("Cannot write \"" + FPath + "\": " + reason);
    }
    static void U16(std::string& s, uint16_t v) {
        s += char(v & 0xFF);
        s += char(v >> 8);
    }
    static void U32(std::string& s, uint32_t v) {
        U16(s, uint16_t(v & 0xFFFF));
        U16(s, uint16_t(v >> 16));
    }
    void LocalHeader(const TEntry& e) {
        std::string h;
        U32(h, 0x04034b50);
        U16(h, 20);
        U16(h, 0x0800);
        U16(h, 8);
        U16(h, 0);
        U16(h, 0x21);
        U32(h, e.Crc);
        U32(h, static_cast<uint32_t>(e.Compressed));
        U32(h, static_cast<uint32_t>(e.Size));
        U16(h, static_cast<uint16_t>(e.Name.size()));
        U16(h, 0);
        h += e.Name;
        Raw(h);
    }
    void Raw(std::string_view data) {
        if (!data.empty() && std::fwrite(data.data(), 1, data.size(), FFile) != data.size())
            Fail(std::strerror(errno));
    }
    uint64_t Tell() {
        const off_t at = ftello(FFile);
        if (at < 0) Fail(std::strerror(errno));
        return static_cast<uint64_t>(at);
    }
    void Seek(uint64_t at) {
        if (fseeko(FFile, static_cast<off_t>(at), SEEK_SET) != 0) Fail(std::strerror(errno));
    }
    void Deflate(std::string_view data, int flush) {
        FStream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        FStream.avail_in = static_cast<uInt>(data.size());
        char out[1 << 16];
        int r;
        do {
            FStream.next_out = reinterpret_cast<Bytef*>(out);
            FStream.avail_out = sizeof out;
            r = deflate(&FStream, flush);
            if (r == Z_STREAM_ERROR) Fail("zlib");
            Raw(std::string_view(out, sizeof out - FStream.avail_out));
        } while (FStream.avail_out == 0 || (flush == Z_FINISH && r != Z_STREAM_END));
    }

    std::string FPath;
    std::FILE* FFile = nullptr;
    z_stream FStream{};
    bool FOpen = false;
    std::vector<TEntry> FEntries;
};

// A part written through a buffer into the open zip entry.
class TPart {
public:
    TPart(TZipWriter& zip, const std::string& name) : FZip(zip) {
        FZip.Begin(name);
        FBuffer.reserve(Chunk + 4096);
    }
    TPart& operator<<(std::string_view s) {
        FBuffer += s;
        if (FBuffer.size() >= Chunk) Flush();
        return *this;
    }
    TPart& operator<<(int64_t v) {
        char b[24];
        auto [end, ec] = std::to_chars(b, b + sizeof b, v);
        (void)ec;
        return *this << std::string_view(b, size_t(end - b));
    }
    void End() {
        Flush();
        FZip.End();
    }

private:
    static constexpr size_t Chunk = 1 << 16;
    void Flush() {
        FZip.Write(FBuffer);
        FBuffer.clear();
    }
    TZipWriter& FZip;
    std::string FBuffer;
};

// --- Texts ------------------------------------------------------------------------------------
// Markup characters as entities; control characters, which XML cannot hold, and a literal
// "_xHHHH_" in the file format's own escape.
void AppendEscaped(std::string& out, std::string_view s, bool attribute) {
    auto hex = [](unsigned c) { return "0123456789ABCDEF"[c & 15]; };
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        switch (c) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"':
            if (attribute) {
                out += "&quot;";
                continue;
            }
            break;
        default: break;
        }
        const bool escapeMark = c == '_' && i + 6 < s.size() && s[i + 1] == 'x' && s[i + 6] == '_' &&
                                std::isxdigit(static_cast<unsigned char>(s[i + 2])) &&
                                std::isxdigit(static_cast<unsigned char>(s[i + 3])) &&
                                std::isxdigit(static_cast<unsigned char>(s[i + 4])) &&
                                std::isxdigit(static_cast<unsigned char>(s[i + 5]));
        if ((c < 0x20 && c != '\t' && c != '\n') || escapeMark) {
            out += "_x00";
            out += hex(c >> 4);
            out += hex(c);
            out += '_';
            continue;
        }
        out += static_cast<char>(c);
    }
}

std::string Escaped(std::string_view s, bool attribute = false) {
    std::string out;
    AppendEscaped(out, s, attribute);
    return out;
}

bool NeedsPreserve(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    return !s.empty() && (blank(s.front()) || blank(s.back()));
}

// The shortest text that reads back as the same double ("8.8", "0.94", "1e+21").
std::string_view NumberText(double d, char (&buffer)[32]) {
    if (d == 0) d = 0;   // no "-0"
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, d);
    (void)ec;
    return std::string_view(buffer, size_t(end - buffer));
}

std::string ColumnName(int col) {
    std::string name;
    for (int c = col; c > 0; c = (c - 1) / 26) name.insert(name.begin(), char('A' + (c - 1) % 26));
    return name;
}

std::string CellName(int row, int col) { return ColumnName(col) + std::to_string(row); }

// A width in characters as the file stores it: with the cell padding of the default font
// (digits 7 pixels wide, 5 pixels of padding), in 256ths of a character.
double FileWidth(double width) {
    constexpr double digit = 7, padding = 5;
    if (width <= 0) return 0;
    double pixels = width < 1 ? std::floor(width * (digit + padding) + 0.5)
                              : std::floor(width * digit + 0.5) + padding;
    return std::floor(pixels / digit * 256.0) / 256.0;
}
constexpr double DefaultWidth = 8.43;

// --- Styles -----------------------------------------------------------------------------------
class TStyles {
public:
    // The cell style of a bold flag and a number format ("" General); 0 is the plain one.
    int Of(bool bold, const std::string& format) {
        if (!bold && format.empty()) return 0;
        auto key = std::make_pair(bold, format);
        auto it = FStyles.find(key);
        if (it != FStyles.end()) return it->second;
        const int index = static_cast<int>(FOrder.size()) + 1;
        FStyles.emplace(key, index);
        FOrder.push_back(key);
        return index;
    }
    void Write(TZipWriter& zip) const {
        std::map<std::string, int> custom;
        auto formatId = [&](const std::string& f) {
            if (f.empty()) return 0;
            if (f == "@") return 49;
            auto it = custom.find(f);
            if (it != custom.end()) return it->second;
            const int id = 164 + static_cast<int>(custom.size());
            custom.emplace(f, id);
            return id;
        };
        std::string xfs;
        for (const auto& [bold, format] : FOrder) {
            const int id = formatId(format);
            xfs += "<xf numFmtId=\"" + std::to_string(id) + "\" fontId=\"" + (bold ? "1" : "0") +
                   "\" fillId=\"0\" borderId=\"0\" xfId=\"0\"" + (id ? " applyNumberFormat=\"1\"" : "") +
                   (bold ? " applyFont=\"1\"" : "") + "/>";
        }
        TPart part(zip, "xl/styles.xml");
        part << XmlHeader << "<styleSheet xmlns=\"" << MainNs << "\">";
        if (!custom.empty()) {
            part << "<numFmts count=\"" << int64_t(custom.size()) << "\">";
            for (const auto& [code, id] : custom)
                part << "<numFmt numFmtId=\"" << int64_t(id) << "\" formatCode=\"" << Escaped(code, true) << "\"/>";
            part << "</numFmts>";
        }
        part << "<fonts count=\"2\"><font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/>"
                "<family val=\"2\"/><scheme val=\"minor\"/></font><font><b/><sz val=\"11\"/><color theme=\"1\"/>"
                "<name val=\"Calibri\"/><family val=\"2\"/><scheme val=\"minor\"/></font></fonts>"
                "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
                "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
                "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
                "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
             << "<cellXfs count=\"" << int64_t(FOrder.size() + 1)
             << "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>" << xfs
             << "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
                "</cellStyles><dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";
        part.End();
    }

private:
    std::map<std::pair<bool, std::string>, int> FStyles;
    std::vector<std::pair<bool, std::string>> FOrder;
};

// Texts once each, in the order met, for the shared string table.
class TSharedTexts {
public:
    int64_t Index(std::string_view text) {
        auto [it, added] = FIndex.emplace(text, static_cast<int64_t>(FTexts.size()));
        if (added) FTexts.push_back(text);
        ++FCount;
        return it->second;
    }
    void Write(TZipWriter& zip) const {
        TPart part(zip, "xl/sharedStrings.xml");
        part << XmlHeader << "<sst xmlns=\"" << MainNs << "\" count=\"" << FCount << "\" uniqueCount=\""
             << int64_t(FTexts.size()) << "\">";
        std::string item;
        for (std::string_view t : FTexts) {
            item.clear();
            item += NeedsPreserve(t) ? "<si><t xml:space=\"preserve\">" : "<si><t>";
            AppendEscaped(item, t, false);
            item += "</t></si>";
            part << item;
        }
        part << "</sst>";
        part.End();
    }
    bool Empty() const { return FTexts.empty(); }

private:
    std::unordered_map<std::string_view, int64_t> FIndex;
    std::vector<std::string_view> FTexts;
    int64_t FCount = 0;
};

// --- Sheets -----------------------------------------------------------------------------------
void WriteSheet(TZipWriter& zip, const std::string& name, const TSheetModel& sheet, bool active,
                TStyles& styles, TSharedTexts* shared) {
    TPart part(zip, name);
    part << XmlHeader << "<worksheet xmlns=\"" << MainNs << "\" xmlns:r=\"" << RelNs << "\">";
    const TRect& sel = sheet.Selection();
    part << "<sheetViews><sheetView" << (active ? " tabSelected=\"1\"" : "") << " workbookViewId=\"0\"";
    if (sel.Top != 1 || sel.Left != 1 || sel.Bottom != 1 || sel.Right != 1) {
        const std::string topLeft = CellName(sel.Top, sel.Left);
        const std::string area =
            sel.Top == sel.Bottom && sel.Left == sel.Right ? topLeft : topLeft + ":" + CellName(sel.Bottom, sel.Right);
        part << "><selection activeCell=\"" << topLeft << "\" sqref=\"" << area << "\"/></sheetView>";
    } else {
        part << "/>";
    }
    part << "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";

    bool colsOpen = false;
    for (const auto& [col, format] : sheet.Columns()) {
        if (format.Width < 0 && format.NumberFormat.empty()) continue;
        if (!colsOpen) part << "<cols>";
        colsOpen = true;
        char b[32];
        part << "<col min=\"" << int64_t(col) << "\" max=\"" << int64_t(col) << "\" width=\""
             << NumberText(FileWidth(format.Width < 0 ? DefaultWidth : format.Width), b) << "\"";
        if (!format.NumberFormat.empty()) part << " style=\"" << int64_t(styles.Of(false, format.NumberFormat)) << "\"";
        if (format.Width >= 0) part << " customWidth=\"1\"";
        part << "/>";
    }
    if (colsOpen) part << "</cols>";

    part << "<sheetData>";
    const auto& rows = sheet.Rows();
    const auto& areas = sheet.BoldAreas();
    std::vector<const TSheetModel::TBoldArea*> rowAreas;
    std::string cellXml;
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::vector<TCell>& cells = rows[r];
        bool any = false;
        for (const TCell& c : cells) any = any || c.Kind != TCellKind::Empty;
        if (!any) continue;
        const int row = static_cast<int>(r) + 1;
        rowAreas.clear();
        for (const auto& a : areas)
            if (row >= a.Area.Top && row <= a.Area.Bottom) rowAreas.push_back(&a);
        const std::string rowText = std::to_string(row);
        part << "<row r=\"" << rowText << "\">";
        for (size_t c = 0; c < cells.size(); ++c) {
            const TCell& cell = cells[c];
            if (cell.Kind == TCellKind::Empty) continue;
            const int col = static_cast<int>(c) + 1;
            bool bold = false;
            for (auto it = rowAreas.rbegin(); it != rowAreas.rend(); ++it)
                if (col >= (*it)->Area.Left && col <= (*it)->Area.Right) {
                    bold = (*it)->Bold;
                    break;
                }
            // A cell without a style of its own shows its column's; a bold one needs the
            // column's number format in its own. Dates have their date format.
            int style = 0;
            if (cell.Kind == TCellKind::Date) {
                const bool hasTime = cell.Number != static_cast<double>(static_cast<int64_t>(cell.Number));
                style = styles.Of(bold, hasTime ? DateTimeFormat : DateFormat);
            } else if (bold) {
                auto it = sheet.Columns().find(col);
                style = styles.Of(true, it == sheet.Columns().end() ? std::string() : it->second.NumberFormat);
            }
            cellXml.clear();
            cellXml += "<c r=\"";
            cellXml += ColumnName(col);
            cellXml += rowText;
            cellXml += '"';
            if (style) {
                cellXml += " s=\"";
                cellXml += std::to_string(style);
                cellXml += '"';
            }
            char b[32];
            switch (cell.Kind) {
            case TCellKind::Empty: break;
            case TCellKind::Number:
            case TCellKind::Date:
                cellXml += "><v>";
                cellXml += NumberText(cell.Number, b);
                cellXml += "</v></c>";
                break;
            case TCellKind::Boolean:
                cellXml += cell.Number != 0 ? " t=\"b\"><v>1</v></c>" : " t=\"b\"><v>0</v></c>";
                break;
            case TCellKind::Text: {
                const std::string_view text = sheet.Text(cell);
                if (shared) {
                    cellXml += " t=\"s\"><v>";
                    cellXml += std::to_string(shared->Index(text));
                    cellXml += "</v></c>";
                } else {
                    cellXml += NeedsPreserve(text) ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">"
                                                   : " t=\"inlineStr\"><is><t>";
                    AppendEscaped(cellXml, text, false);
                    cellXml += "</t></is></c>";
                }
                break;
            }
            case TCellKind::NotAvailable:
                cellXml += " t=\"e\"><f>NA()</f><v>#N/A</v></c>";
                break;
            }
            part << cellXml;
        }
        part << "</row>";
    }
    part << "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
            "footer=\"0.3\"/></worksheet>";
    part.End();
}

void WritePart(TZipWriter& zip, const std::string& name, const std::string& xml) {
    TPart part(zip, name);
    part << XmlHeader << xml;
    part.End();
}

}  // namespace

void WriteXlsxFile(const std::string& path, const std::vector<const TSheetModel*>& sheets,
                   int activeSheet, bool constantMemory) {
    TZipWriter zip(path);
    TStyles styles;
    TSharedTexts shared;
    const size_t n = sheets.size();
    for (size_t i = 0; i < n; ++i)
        WriteSheet(zip, "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml", *sheets[i],
                   static_cast<int>(i) == activeSheet, styles, constantMemory ? nullptr : &shared);
    const bool sst = !constantMemory && !shared.Empty();
    if (sst) shared.Write(zip);
    styles.Write(zip);

    std::string types = std::string("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">") +
                        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-"
                        "officedocument.spreadsheetml.sheet.main+xml\"/>";
    for (size_t i = 0; i < n; ++i)
        types += "<Override PartName=\"/xl/worksheets/sheet" + std::to_string(i + 1) +
                 ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    types += "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument."
             "spreadsheetml.styles+xml\"/>";
    if (sst)
        types += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-"
                 "officedocument.spreadsheetml.sharedStrings+xml\"/>";
    types += "</Types>";
    WritePart(zip, "[Content_Types].xml", types);
    WritePart(zip, "_rels/.rels",
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
              "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
              "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");

    std::string book = std::string("<workbook xmlns=\"") + MainNs + "\" xmlns:r=\"" + RelNs +
                       "\"><bookViews><workbookView xWindow=\"240\" yWindow=\"15\" windowWidth=\"16095\" "
                       "windowHeight=\"9660\"" +
                       (activeSheet > 0 ? " activeTab=\"" + std::to_string(activeSheet) + "\"" : std::string()) +
                       "/></bookViews><sheets>";
    std::string rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (size_t i = 0; i < n; ++i) {
        const std::string id = "rId" + std::to_string(i + 1);
        book += "<sheet name=\"" + Escaped(sheets[i]->Name(), true) + "\" sheetId=\"" + std::to_string(i + 1) +
                "\" r:id=\"" + id + "\"/>";
        rels += "<Relationship Id=\"" + id + "\" Type=\"" + RelNs + "/worksheet\" Target=\"worksheets/sheet" +
                std::to_string(i + 1) + ".xml\"/>";
    }
    book += "</sheets></workbook>";
    rels += "<Relationship Id=\"rId" + std::to_string(n + 1) + "\" Type=\"" + RelNs +
            "/styles\" Target=\"styles.xml\"/>";
    if (sst)
        rels += "<Relationship Id=\"rId" + std::to_string(n + 2) + "\" Type=\"" + RelNs +
                "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    rels += "</Relationships>";
    WritePart(zip, "xl/workbook.xml", book);
    WritePart(zip, "xl/_rels/workbook.xml.rels", rels);
    zip.Close();
}

}  // namespace xls
