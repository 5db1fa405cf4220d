#include "document/Pdf.h"

#include <cstdio>
#include <stdexcept>

namespace {

// A4, in points, and the margins around the text.
constexpr double kPageWidth = 595;
constexpr double kPageHeight = 842;
constexpr double kMargin = 64;
constexpr double kTextWidth = kPageWidth - 2 * kMargin;

enum TFont { kRegular, kBold, kFixed };
const char* const kFontNames[] = {"Helvetica", "Helvetica-Bold", "Courier"};

// The text's bytes in the fonts' encoding: WinAnsiEncoding, which has Š š Ž
// ž, with Č and č put in place of È and è, as Latin-2 has them.
constexpr unsigned char kCcaron = 0xc8, kccaron = 0xe8;

struct TCharacter {
  char32_t codePoint;
  unsigned char byte;
};
const TCharacter kBeyondAscii[] = {
    {U'Č', kCcaron}, {U'č', kccaron}, {U'Š', 0x8a}, {U'š', 0x9a}, {U'Ž', 0x8e},
    {U'ž', 0x9e},    {U'–', 0x96},    {U'—', 0x97}, {U'„', 0x84}, {U'“', 0x93},
    {U'”', 0x94},    {U'’', 0x92},    {U'•', 0x95}, {U'×', 0xd7}, {U'…', 0x85},
};

// The code points of UTF-8 text; throws on a malformed sequence.
std::u32string codePoints(const std::string& text) {
  std::u32string points;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : 0;
    if (length == 0 || i + length > text.size()) {
      throw std::invalid_argument("not UTF-8 text: " + text);
    }
    char32_t point = length == 1 ? lead : lead & (length == 2 ? 0x1f : 0x0f);
    for (int k = 1; k < length; ++k) {
      point = point << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3f);
    }
    points += point;
    i += length;
  }
  return points;
}

std::string encoded(const std::string& text) {
  std::string bytes;
  for (char32_t point : codePoints(text)) {
    if (point >= 0x20 && point < 0x7f) {
      bytes += static_cast<char>(point);
      continue;
    }
    bool found = false;
    for (const TCharacter& c : kBeyondAscii) {
      if (c.codePoint == point) {
        bytes += static_cast<char>(c.byte);
        found = true;
      }
    }
    if (!found) throw std::invalid_argument("no character for it in the PDF's fonts: " + text);
  }
  return bytes;
}

// Advance widths in thousandths of the font size, from the fonts' metrics,
// for the line breaking; the reader draws with its own.
int width(TFont font, unsigned char byte) {
  if (font == kFixed) return 600;
  static const short kRegularAscii[95] = {
      278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
      556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
      1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
      667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
      333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
      556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
  static const short kBoldAscii[95] = {
      278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
      556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
      975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
      667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
      333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
      611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
  const bool bold = font == kBold;
  if (byte >= 0x20 && byte < 0x7f) return (bold ? kBoldAscii : kRegularAscii)[byte - 0x20];
  switch (byte) {
    case kCcaron:
      return 722;
    case kccaron:
    case 0x9a:  // š
      return bold ? 556 : 500;
    case 0x8a:  // Š
      return 667;
    case 0x8e:  // Ž
      return 611;
    case 0x9e:  // ž
      return 500;
    case 0x97:  // —
    case 0x85:  // …
      return 1000;
    case 0x84:  // „
    case 0x93:  // “
    case 0x94:  // ”
      return bold ? 500 : 333;
    case 0x92:  // ’
      return bold ? 278 : 222;
    case 0x95:  // •
      return 350;
    default:  // – and ×
      return bold ? 556 : 584;
  }
}

double widthOf(TFont font, const std::string& bytes, double size) {
  double sum = 0;
  for (unsigned char c : bytes) sum += width(font, c);
  return sum * size / 1000;
}

// A PDF string: its bytes, with the three that would end or escape it escaped.
std::string pdfString(const std::string& bytes) {
  std::string text = "(";
  for (char c : bytes) {
    if (c == '(' || c == ')' || c == '\\') text += '\\';
    text += c;
  }
  return text + ")";
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// Pieces of text in one font, a word's or a line's.
struct TPiece {
  TFont font;
  std::string bytes;
};

// A word: what stands between two blanks, perhaps in more than one font,
// and the font of the blank before it.
struct TWord {
  std::vector<TPiece> pieces;
  TFont blankFont = kRegular;
  double width(double size) const {
    double sum = 0;
    for (const TPiece& piece : pieces) sum += widthOf(piece.font, piece.bytes, size);
    return sum;
  }
};

std::vector<TWord> wordsOf(const std::vector<TSpan>& spans, TFont plain) {
  std::vector<TWord> words(1);
  for (const TSpan& span : spans) {
    const TFont font = span.code ? kFixed : plain;
    for (char c : encoded(span.text)) {
      if (c == ' ') {
        if (!words.back().pieces.empty()) words.emplace_back();
        words.back().blankFont = font;
        continue;
      }
      std::vector<TPiece>& pieces = words.back().pieces;
      if (pieces.empty() || pieces.back().font != font) pieces.push_back({font, ""});
      pieces.back().bytes += c;
    }
  }
  if (words.back().pieces.empty()) words.pop_back();
  return words;
}

// Lays the documents out on pages, top to bottom, each page's content as
// the PDF's operators.
class TLayout {
 public:
  void document(const TDocument& document) {
    newPage();
    text({{kBold, encoded(document.title)}}, kMargin, 20);
    y_ -= 10;
    for (const TBlock& block : document.blocks) this->block(block);
  }

  // The pages, each with its number at the foot.
  std::vector<std::string> pages() const {
    std::vector<std::string> pages = pages_;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const std::string foot = std::to_string(p + 1) + " / " + std::to_string(pages.size());
      pages[p] += "BT /F1 9 Tf " + number((kPageWidth - widthOf(kRegular, foot, 9)) / 2) + " " +
                  number(kMargin / 2) + " Td " + pdfString(foot) + " Tj ET\n";
    }
    return pages;
  }

 private:
  void block(const TBlock& block) {
    switch (block.kind) {
      case TBlock::kHeading:
        y_ -= 8;
        // A heading never ends a page alone.
        room(13 * 1.3 + 3 * 10.5 * 1.4);
        paragraph(block.spans, kBold, 13, kMargin, kTextWidth);
        y_ -= 2;
        break;
      case TBlock::kParagraph:
        paragraph(block.spans, kRegular, 10.5, kMargin, kTextWidth);
        y_ -= 6;
        break;
      case TBlock::kItem:
        // The bullet on the item's first line, which starts on this page.
        room(10.5 * 1.4);
        show({{kRegular, encoded("•")}}, kMargin + 4, y_ - 10.5 * 1.4, 10.5);
        paragraph(block.spans, kRegular, 10.5, kMargin + 16, kTextWidth - 16);
        y_ -= 3;
        break;
      case TBlock::kCode:
        code(block.code);
        y_ -= 6;
        break;
    }
  }

  // Words filled into lines of at most `measure` points.
  void paragraph(const std::vector<TSpan>& spans, TFont plain, double size, double left,
                 double measure) {
    std::vector<TPiece> line;
    double used = 0;
    for (const TWord& word : wordsOf(spans, plain)) {
      const double blank = line.empty() ? 0 : widthOf(word.blankFont, " ", size);
      const double w = word.width(size);
      if (!line.empty() && used + blank + w > measure) {
        text(line, left, size);
        line.clear();
        used = 0;
      } else if (!line.empty()) {
        append(line, {word.blankFont, " "});
        used += blank;
      }
      for (const TPiece& piece : word.pieces) append(line, piece);
      used += w;
    }
    if (!line.empty()) text(line, left, size);
  }

  // Fixed-width lines on a grey ground, cut where they would pass the margin.
  void code(const std::string& lines) {
    constexpr double kSize = 9, kLeading = 11.5;
    const std::size_t fits = static_cast<std::size_t>((kTextWidth - 12) / (0.6 * kSize));
    std::size_t start = 0;
    while (start < lines.size()) {
      std::size_t end = lines.find('\n', start);
      if (end == std::string::npos) end = lines.size();
      std::string line = encoded(lines.substr(start, end - start));
      do {
        room(kLeading);
        current() += "0.94 g " + number(kMargin) + " " + number(y_ - kLeading + 2.5) + " " +
                     number(kTextWidth) + " " + number(kLeading) + " re f 0 g\n";
        y_ -= kLeading;
        current() += "BT /F3 " + number(kSize) + " Tf " + number(kMargin + 6) + " " +
                     number(y_ + 2.5 + 2) + " Td " + pdfString(line.substr(0, fits)) + " Tj ET\n";
        line.erase(0, fits);
      } while (!line.empty());
      start = end + 1;
    }
  }

  static void append(std::vector<TPiece>& line, const TPiece& piece) {
    if (!line.empty() && line.back().font == piece.font) {
      line.back().bytes += piece.bytes;
    } else {
      line.push_back(piece);
    }
  }

  // One line of pieces, its baseline a line's height below the last.
  void text(const std::vector<TPiece>& line, double left, double size) {
    room(size * 1.4);
    y_ -= size * 1.4;
    show(line, left, y_, size);
  }

  void show(const std::vector<TPiece>& line, double left, double baseline, double size) {
    std::string ops = "BT " + number(left) + " " + number(baseline) + " Td";
    for (const TPiece& piece : line) {
      ops += " /F" + std::to_string(piece.font + 1) + " " + number(size) + " Tf " +
             pdfString(piece.bytes) + " Tj";
    }
    current() += ops + " ET\n";
  }

  // A new page unless `height` points fit above the bottom margin.
  void room(double height) {
    if (y_ - height < kMargin) newPage();
  }

  void newPage() {
    pages_.emplace_back();
    y_ = kPageHeight - kMargin;
  }

  std::string& current() { return pages_.back(); }

  std::vector<std::string> pages_;
  double y_ = 0;
};

// A text string outside the pages (the title in the file's information) in
// UTF-16, which every reader shows as it is.
std::string unicodeString(const std::string& text) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string hex = "<FEFF";
  for (char32_t point : codePoints(text)) {
    for (int shift = 12; shift >= 0; shift -= 4) hex += kHex[(point >> shift) & 15];
  }
  return hex + ">";
}

}  // namespace

std::string pdfOf(const std::vector<TDocument>& documents) {
  TLayout layout;
  for (const TDocument& document : documents) layout.document(document);
  const std::vector<std::string> pages = layout.pages();

  std::vector<std::string> objects;
  const std::string language = documents.empty() ? "en" : documents[0].language;
  objects.push_back("<< /Type /Catalog /Pages 2 0 R /Lang " + pdfString(language) + " >>");
  std::string kids;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    kids += (p > 0 ? " " : "") + std::to_string(8 + 2 * p) + " 0 R";
  }
  objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) +
                    " /MediaBox [0 0 " + number(kPageWidth) + " " + number(kPageHeight) +
                    "] /Resources << /Font << /F1 3 0 R /F2 4 0 R /F3 5 0 R >> >> >>");
  for (const char* font : kFontNames) {
    objects.push_back(std::string("<< /Type /Font /Subtype /Type1 /BaseFont /") + font +
                      " /Encoding 6 0 R >>");
  }
  objects.push_back("<< /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences [" +
                    std::to_string(kCcaron) + " /Ccaron " + std::to_string(kccaron) +
                    " /ccaron] >>");
  objects.push_back("<< /Title " + unicodeString(documents.empty() ? "" : documents[0].title) +
                    " /Producer (Tql25Mirvasta) >>");
  for (std::size_t p = 0; p < pages.size(); ++p) {
    objects.push_back("<< /Type /Page /Parent 2 0 R /Contents " + std::to_string(9 + 2 * p) +
                      " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(pages[p].size()) + " >>\nstream\n" + pages[p] +
                      "endstream");
  }

  // A comment of bytes above 127 at the top tells tools that the file is binary.
  std::string pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t k = 0; k < objects.size(); ++k) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(k + 1) + " 0 obj\n" + objects[k] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
         " /Root 1 0 R /Info 7 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}
