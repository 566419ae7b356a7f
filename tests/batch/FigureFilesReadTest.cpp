// Every kind of labelled figure in SVG, PDF and PNG, written by condsim-batch itself and
// read back by readers that share no code with the writers: an XML parser for the SVG's
// texts and tspans, poppler's pdftotext and pdffonts for the PDF, and the PNG's own
// header chunks for its size and resolution.

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

std::string outputOf(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        while (const size_t count = fread(buffer.data(), 1, buffer.size(), pipe))
            output.append(buffer.data(), count);
        pclose(pipe);
    }
    return output;
}

bool haveProgram(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

struct SvgTexts {
    std::vector<std::string> texts;  // each text element with its tspans' text
    int raisedOrLowered = 0;         // tspans of a smaller size moved off the baseline
    int paths = 0;
};

SvgTexts readSvg(const std::string& name) {
    QFile file(QString::fromStdString(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QXmlStreamReader xml(&file);
    SvgTexts svg;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("path")) ++svg.paths;
        if (xml.name() == QLatin1String("text")) {
            // Reads through the tspans too; they are counted in the file's text below.
            svg.texts.push_back(
                xml.readElementText(QXmlStreamReader::IncludeChildElements).toStdString());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    file.seek(0);
    const std::string content = file.readAll().toStdString();
    for (size_t at = content.find("<tspan"); at != std::string::npos;
         at = content.find("<tspan", at + 1)) {
        const size_t end = content.find('>', at);
        const std::string tag = content.substr(at, end - at);
        if (tag.find("font-size") != std::string::npos && tag.find("dy=\"0\"") == std::string::npos)
            ++svg.raisedOrLowered;
    }
    return svg;
}

bool anyContains(const std::vector<std::string>& texts, const std::string& part) {
    for (const auto& text : texts)
        if (text.find(part) != std::string::npos) return true;
    return false;
}

// A hyphen-minus right before a digit where a number's minus sign should be U+2212.
bool hasHyphenMinus(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '-' && text[i + 1] >= '0' && text[i + 1] <= '9' &&
            (i == 0 || text[i - 1] == ' ' || text[i - 1] == '('))
            return true;
    return false;
}

struct PngHeader {
    unsigned width = 0, height = 0, dotsPerMetre = 0;
};

unsigned bigEndian(const std::string& bytes, size_t at) {
    return (static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) << 24) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 16) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 2])) << 8) |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 3]));
}

PngHeader readPng(const std::string& name) {
    const std::string bytes = testing::contentOf(name);
    PngHeader header;
    if (bytes.size() < 33 || bytes.compare(1, 3, "PNG") != 0) return header;
    header.width = bigEndian(bytes, 16);
    header.height = bigEndian(bytes, 20);
    const size_t phys = bytes.find("pHYs");
    if (phys != std::string::npos) header.dotsPerMetre = bigEndian(bytes, phys + 4);
    return header;
}

struct KindCase {
    const char* kind;
    const char* xTitle;  // as the runs read one after the other
    const char* yTitle;
    const char* pdfYTitle;  // pdftotext's reading of the rotated title
};

TEST(FigureFilesRead, EveryKindInEveryFormatIsTypesetText) {
    if (!haveProgram("pdftotext") || !haveProgram("pdffonts"))
        GTEST_SKIP() << "poppler-utils (pdftotext, pdffonts) is not installed";
    TemporaryDirectory directory;
    const std::vector<KindCase> kinds = {
        {"conductivity", "C0 / mol L\u22121", "\u03ba / mS cm\u22121", "mS cm\u22121"},
        {"molar", "C0 / mol L\u22121", "\u039b / S cm2 mol\u22121", "S cm2 mol\u22121"},
        {"molar-sqrt", "\u221aC0 / (mol L\u22121)1/2", "\u039b / S cm2 mol\u22121",
         "S cm2 mol\u22121"},
        {"distribution", "C0 / mol L\u22121", "abundance / %", "abundance / %"},
        {"residuals", "C0 / mol L\u22121", "(\u03bacalcd \u2212 \u03baobsd) / mS cm\u22121",
         "mS cm\u22121"},
    };
    // The aqueous CaCl2 example, fitted in the ionic-strength model: its caption has the
    // names, units and symbols a journal typesets.
    std::string command = std::string(CONDSIM_BATCH) + " --data " +
                          testing::exampleFile("cacl2-25C-water-dilute.txt") +
                          " --n 2 --mcx 76.35 --alfa 1 --model1 on --beta1 1 --mca 60 "
                          "--fit K1,MCA --solution debye-huckel";
    for (const KindCase& k : kinds)
        for (const char* format : {"svg", "pdf", "png"})
            command += std::string(" --figure ") + k.kind + ":" + k.kind + "." + format;
    ASSERT_EQ(std::system((command + " >out.txt 2>&1").c_str()), 0)
        << testing::contentOf("out.txt");

    for (const KindCase& k : kinds) {
        SCOPED_TRACE(k.kind);
        const std::string name = directory.path() / k.kind;
        const SvgTexts svg = readSvg(name + ".svg");
        EXPECT_TRUE(anyContains(svg.texts, k.xTitle));
        EXPECT_TRUE(anyContains(svg.texts, k.yTitle));
        EXPECT_TRUE(anyContains(svg.texts, "Debye\u2013H\u00fcckel"));
        EXPECT_TRUE(anyContains(svg.texts, "25 \u00b0C"));
        EXPECT_TRUE(anyContains(svg.texts, "4.5 \u00c5"));
        EXPECT_GE(svg.raisedOrLowered, 2);  // at least the powers of the units
        for (const std::string& text : svg.texts) EXPECT_FALSE(hasHyphenMinus(text)) << text;

        const std::string pdfText = outputOf("pdftotext -enc UTF-8 " + name + ".pdf -");
        EXPECT_NE(pdfText.find(k.xTitle), std::string::npos) << pdfText;
        EXPECT_NE(pdfText.find(k.pdfYTitle), std::string::npos) << pdfText;
        EXPECT_NE(pdfText.find("Debye\u2013H\u00fcckel"), std::string::npos) << pdfText;
        EXPECT_FALSE(hasHyphenMinus(pdfText)) << pdfText;
        const std::string fonts = outputOf("pdffonts " + name + ".pdf");
        EXPECT_NE(fonts.find("LiberationSans"), std::string::npos) << fonts;
        EXPECT_NE(fonts.find(" yes "), std::string::npos) << fonts;  // embedded

        const PngHeader png = readPng(name + ".png");
        EXPECT_EQ(png.width, 1004u);  // 8.5 cm at 300 dpi
        EXPECT_EQ(png.height, 803u);
        EXPECT_EQ(png.dotsPerMetre, 11811u);
    }
}

// The figures of a temperature series, from the example series, in every format.
TEST(FigureFilesRead, SeriesFiguresInEveryFormat) {
    if (!haveProgram("pdftotext")) GTEST_SKIP() << "poppler-utils (pdftotext) is not installed";
    TemporaryDirectory directory;
    // pdftotext reads "T / K" as "T/K": the PDF is checked for the x title's unit.
    const struct {
        const char* kind;
        const char* xTitle;
        const char* yTitle;
        const char* pdfXTitle;
        const char* pdfYTitle;
    } kinds[] = {
        {"vant-hoff", "103 K / T", "ln (K1 / L mol\u22121)", "103 K / T", "L mol\u22121"},
        {"walden", "T / K", "\u03bb+\u03b7 / S cm2 mol\u22121 mPa s", "K", "mPa s"},
    };
    std::string command = std::string(CONDSIM_BATCH) + " --series " +
                          testing::exampleFile("series-cacl2/series.txt") +
                          " --n 2 --mcx 76.35 --alfa 1 --model1 on --fit K1,MCA "
                          "--solution debye-huckel --global-fit free";
    for (const auto& k : kinds)
        for (const char* format : {"svg", "pdf", "png"})
            command += std::string(" --series-figure ") + k.kind + ":" + k.kind + "." + format;
    ASSERT_EQ(std::system((command + " >out.txt 2>&1").c_str()), 0)
        << testing::contentOf("out.txt");
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        const std::string name = directory.path() / k.kind;
        const SvgTexts svg = readSvg(name + ".svg");
        EXPECT_TRUE(anyContains(svg.texts, k.xTitle));
        EXPECT_TRUE(anyContains(svg.texts, k.yTitle));
        for (const std::string& text : svg.texts) EXPECT_FALSE(hasHyphenMinus(text)) << text;
        const std::string pdfText = outputOf("pdftotext -enc UTF-8 " + name + ".pdf -");
        EXPECT_NE(pdfText.find(k.pdfXTitle), std::string::npos) << pdfText;
        EXPECT_NE(pdfText.find(k.pdfYTitle), std::string::npos) << pdfText;
        const PngHeader png = readPng(name + ".png");
        EXPECT_EQ(png.width, 1004u);
        EXPECT_EQ(png.height, 803u);
    }
}

}  // namespace
}  // namespace condsim
