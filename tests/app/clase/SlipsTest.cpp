// The slips' PDF: ten to a page, a page more for the eleventh, and the text a student
// reads on it (name, group, code and how to enter it), as a PDF reader extracts it.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "CoreSupport.h"
#include "app/clase/SlipsPdf.h"

using namespace eh;
using namespace eh::clase;

namespace {

std::vector<KeyRow> rows(int n) {
    std::vector<KeyRow> out;
    for (int i = 0; i < n; ++i) {
        std::array<std::uint8_t, kCodeLength - 1> payload{};
        payload[1] = static_cast<std::uint8_t>(i);
        KeyRow r;
        r.student = "Alumna " + std::to_string(i + 1) + " Núñez";
        r.group = "L" + std::to_string(i % 3);
        r.code = SampleCode::fromPayload(payload);
        out.push_back(r);
    }
    return out;
}

int pages(const QByteArray& pdf) {
    const std::string s = pdf.toStdString();
    std::smatch m;
    return std::regex_search(s, m, std::regex("/Type /Pages[^>]*/Count ([0-9]+)")) ? std::stoi(m[1]) : -1;
}

} // namespace

TEST(Slips, TenToAPage) {
    for (const auto& [students, expected] : {std::pair{1, 1}, {10, 1}, {11, 2}, {20, 2}, {21, 3}}) {
        const QByteArray pdf = slipsPdf(rows(students));
        EXPECT_TRUE(pdf.startsWith("%PDF")) << students;
        EXPECT_EQ(pages(pdf), expected) << students;
    }
}

// What a student reads: extracted with pdftotext when the machine has it.
TEST(Slips, TextAStudentReads) {
    if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
    eh::test::TempDir dir;
    const std::vector<KeyRow> r = rows(11);
    eh::test::spit(dir.path / "f.pdf", slipsPdf(r).toStdString());
    const std::string command =
        "pdftotext -layout '" + (dir.path / "f.pdf").string() + "' '" + (dir.path / "f.txt").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = eh::test::slurp(dir.path / "f.txt");
    for (const KeyRow& k : r) {
        EXPECT_NE(text.find(k.student), std::string::npos) << k.student;
        EXPECT_NE(text.find(k.code.text()), std::string::npos) << k.code.text();
        EXPECT_NE(text.find("tarvelo --codigo " + k.code.text()), std::string::npos) << k.code.text();
    }
    EXPECT_NE(text.find("Grupo: L2"), std::string::npos);
    EXPECT_NE(text.find("«Muestra problema»"), std::string::npos);
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
