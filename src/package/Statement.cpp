#include "package/Statement.h"

#include "base/Format.h"

namespace {

// Text in which `code` stands between backquotes.
std::vector<TSpan> spansOf(const std::string& text) {
  std::vector<TSpan> spans;
  bool code = false;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('`', start)) != std::string::npos; start = end + 1) {
    if (end > start) spans.push_back({text.substr(start, end - start), code});
    code = !code;
  }
  if (start < text.size()) spans.push_back({text.substr(start), code});
  return spans;
}

// Writes a document in one of the two languages, each piece given in both.
class TWriter {
 public:
  explicit TWriter(const std::string& language) : slovenian_(language == "sl") {
    document_.language = language;
    document_.title = "Mirvasta";
  }
  void heading(const std::string& sl, const std::string& en) { add(TBlock::kHeading, sl, en); }
  void paragraph(const std::string& sl, const std::string& en) { add(TBlock::kParagraph, sl, en); }
  void item(const std::string& sl, const std::string& en) { add(TBlock::kItem, sl, en); }
  void code(const std::string& text) { document_.blocks.push_back({TBlock::kCode, {}, text}); }
  TDocument document() const { return document_; }

 private:
  void add(TBlock::TKind kind, const std::string& sl, const std::string& en) {
    document_.blocks.push_back({kind, spansOf(slovenian_ ? sl : en), ""});
  }
  bool slovenian_;
  TDocument document_;
};

void task(TWriter& w, const TStatementFacts& facts) {
  w.heading("Naloga", "Task");
  w.paragraph(
      "Dani so testni primeri, vsak z nekaj krogi z danimi polmeri. Vsak krog postavi tako, "
      "da izbereš njegovo središče v enotskem kvadratu: obe koordinati morata biti med 0 in 1, "
      "vključno z mejama. Krogi naj se med seboj čim manj prekrivajo. Krog sme segati čez rob "
      "kvadrata; to ne stane nič.",
      "You are given test cases, each a number of circles with given radii. Place every circle "
      "by choosing its centre in the unit square: both coordinates from 0 to 1, the bounds "
      "included. The circles should overlap one another as little as possible. A circle may "
      "reach beyond the edge of the square; that costs nothing.");
  w.paragraph(
      "Vhodno datoteko z vsemi testnimi primeri, `" + facts.inputName + "`, dobiš ob nalogi.",
      "The input file with every test case, `" + facts.inputName + "`, comes with the task.");
}

void input(TWriter& w) {
  w.heading("Vhodna datoteka", "Input");
  w.paragraph(
      "V prvi vrstici je beseda `Mirvasta`, v drugi število testnih primerov T. Sledi T testnih "
      "primerov, za k = 1, 2, …, T po vrsti: prazna vrstica, vrstica s številko primera k, "
      "vrstica s številom krogov N in N vrstic, vsaka s polmerom enega kroga, realnim številom. "
      "Krogi primera so oštevilčeni v tem vrstnem redu.",
      "Line 1 holds the word `Mirvasta`, line 2 the number of test cases T. Then come the T "
      "test cases, for k = 1, 2, …, T in turn: an empty line, a line with the case's number k, "
      "a line with the number of circles N, and N lines, each with one circle's radius, a real "
      "number. A case's circles are numbered in this order.");
}

void submission(TWriter& w, const TStatementFacts& facts) {
  w.heading("Oddaja", "Submission");
  if (facts.program) {
    w.paragraph(
        "Oddaš program, ki na standardnem vhodu dobi vhodno datoteko in na standardni izhod "
        "izpiše oddajo. Ker vhodno datoteko poznaš, lahko program tudi le izpiše oddajo, ki si "
        "jo izračunal vnaprej. Program najprej teče na primeru spodaj, ki ne šteje v oceno, nato "
        "na vhodni datoteki `" +
            facts.inputName + "`.",
        "You submit a program that is given the input file on standard input and writes the "
        "submission to standard output. Since you know the input file, the program may also "
        "just print a submission you computed beforehand. It is run first on the sample below, "
        "which does not count towards the score, then on the input file `" +
            facts.inputName + "`.");
  } else {
    w.paragraph("Oddaš datoteko z oddajo, v polje `" + facts.submitName +
                    "`. Oddaš lahko večkrat; šteje najboljša oddaja.",
                "You submit a file with your submission, in the field `" + facts.submitName +
                    "`. You may submit more than once; your best submission counts.");
  }
  w.paragraph(
      "V prvi vrstici oddaje je tvoja šestmestna številka tekmovalca (katerih koli šest števk, "
      "npr. `000000`), v drugi beseda `Mirvasta`. Sledijo bloki, po eden za vsak testni primer, "
      "na katerega odgovoriš: vrstica s številko primera, nato N vrstic, po ena za vsak krog "
      "primera v vrstnem redu iz vhodne datoteke, vsaka z dvema realnima številoma `x y`, "
      "koordinatama središča kroga.",
      "Line 1 of a submission holds your six-digit contestant number (any six digits, such as "
      "`000000`), line 2 the word `Mirvasta`. Then come blocks, one for each test case you "
      "answer: a line with the case's number, then N lines, one for each circle of the case in "
      "the order of the input file, each with two real numbers `x y`, the coordinates of the "
      "circle's centre.");
  w.item("Bloki so lahko v poljubnem vrstnem redu; med njimi so lahko prazne vrstice.",
         "The blocks may come in any order; empty lines may stand between them.");
  w.item(
      "Primer lahko izpustiš; šteje 0. Primer, na katerega odgovoriš večkrat, šteje z "
      "blokom z najmanjšo ceno.",
      "You may leave a case out; it scores 0. A case answered more than once counts with "
      "its block of least cost.");
  w.item(
      "Realna števila piši desetiško, s piko, npr. `0.25` ali `2.5e-1`. Za zadnjim številom "
      "v vrstici ne sme biti ničesar, niti presledka.",
      "Write real numbers in decimal, with a point, such as `0.25` or `2.5e-1`. Nothing may "
      "follow the last number on a line, not even a blank.");
  w.item(
      "Ocenjevalnik se ustavi pri prvi napaki in v sporočilu navede njeno vrstico; taka "
      "oddaja dobi 0.",
      "The grader stops at the first mistake, with a message that names its line; such a "
      "submission scores 0.");
}

void scoring(TWriter& w, const TStatementFacts& facts) {
  w.heading("Ocena", "Scoring");
  w.paragraph(
      "Cena postavitve je vsota ploščin presekov vseh parov krogov: za vsak par ploščina, ki jo "
      "pokrivata oba kroga. Kroga, ki se le dotikata, ne staneta nič, prav tako ne del kroga "
      "zunaj kvadrata.",
      "The cost of a placement is the sum, over all pairs of circles, of the area that both "
      "circles of the pair cover. Circles that merely touch cost nothing, and neither does the "
      "part of a circle outside the square.");
  const std::string floor = "`" + shortestDecimal(facts.floor) + "`";
  w.paragraph(
      "Za vsak primer imajo organizatorji svojo postavitev. Merilo primera je njena cena ali " +
          floor +
          ", kar je več. Primer s ceno c je vreden 1, če c ni večja od merila, sicer merilo / "
          "c: manjša ko je cena, več je vreden.",
      "For each case the organisers have a placement of their own. The case's yardstick is its "
      "cost, or " +
          floor +
          " where that is more. A case of cost c scores 1 where c is at most the yardstick, and "
          "otherwise yardstick / c: the lower the cost, the more it scores.");
  w.paragraph(facts.program ? "Ocena oddaje je povprečje vrednosti vseh T primerov, od 0 do 1."
                            : "Ocena oddaje je povprečje vrednosti vseh T primerov, krat 100 točk.",
              facts.program ? "The submission's score is the mean of all T cases' scores, from "
                              "0 to 1."
                            : "The submission's score is the mean of all T cases' scores, times "
                              "100 points.");
}

void limits(TWriter& w, const TStatementFacts& facts) {
  w.heading("Omejitve", "Limits");
  w.item("Testnih primerov je od 1 do 100, krogov v primeru od 1 do 1000.",
         "There are 1 to 100 test cases, and 1 to 1000 circles in a case.");
  w.item("Vsak polmer je večji od 0 in največ 2.", "Each radius is more than 0 and at most 2.");
  w.item("Koordinati središča sta od 0 do 1, vključno z mejama.",
         "A centre's coordinates are from 0 to 1, the bounds included.");
  if (facts.program) {
    const std::string size = std::to_string(facts.codeLimitKiB);
    w.item("Program je lahko dolg največ " + size + " KiB.",
           "A program may be up to " + size + " KiB long.");
  }
}

void sample(TWriter& w, const TStatementFacts& facts) {
  w.heading("Primer", "Sample");
  const std::string cost = fixedDecimal(facts.sampleCost, 6);
  w.paragraph(
      "Vhodna datoteka z enim testnim primerom in oddaja, ki nanj odgovori s preprosto "
      "postavitvijo, ne z najboljšo. Njena cena je približno " +
          cost + ".",
      "An input file with one test case, and a submission that answers it with a simple "
      "placement, not the best one. Its cost is about " +
          cost + ".");
  if (!facts.showSampleFiles) return;
  w.paragraph("Vhodna datoteka:", "Input file:");
  w.code(facts.sampleInput);
  w.paragraph("Oddaja:", "Submission:");
  w.code(facts.sampleAnswer);
}

}  // namespace

TDocument statementOf(const std::string& language, const TStatementFacts& facts) {
  TWriter w(language);
  task(w, facts);
  input(w);
  submission(w, facts);
  scoring(w, facts);
  limits(w, facts);
  sample(w, facts);
  return w.document();
}
