// Byte output: the five states of the byte machine, the cell writer,
// double-width characters and the erase operations, checked cell by cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "console/test_support.h"
#include "kanji/kanji.h"

using namespace zubo_test;

namespace {

uint16_t Code(Consout *c, int32_t x, int32_t y) { return Cell(c, x, y).code; }

struct EscCall {
    std::string bytes;
    ZuboUserValue user;
};

// Records every call and finishes a sequence at its `finishAt`th byte.
struct Recorder {
    std::vector<EscCall> calls;
    int32_t finishAt = 0;
};
int32_t RecordingProc(Consout *, const uint8_t *bytes, int32_t count, ZuboUserValue user) {
    Recorder *r = reinterpret_cast<Recorder *>(user);
    r->calls.push_back({std::string(reinterpret_cast<const char *>(bytes), count), user});
    return count >= r->finishAt ? 1 : 0;
}

TEST(ConsoleOutput, PrintableBytesFillCellsAndGrowTheDirtyRectangle) {
    Console c(80, 25, 100);
    Feed(c, "AB");
    EXPECT_EQ(Code(c, 0, 0), 0x41);
    EXPECT_EQ(Cell(c, 0, 0).attr, 0xF0);
    EXPECT_EQ(Code(c, 1, 0), 0x42);
    EXPECT_EQ(Consout_GetCurX(c), 2);
    ExpectDirty(c, 0, 0, 80, 25);
    Consout_DirtyClean(c);
    Feed(c, "C");
    ExpectDirty(c, 2, 0, 3, 1);
    // Control bytes without a meaning are cells too; the attribute's high
    // bits do not reach a cell.
    Consout_SetAttr(c, 0x12345);
    Feed(c, std::string("\x07\x08\x00\x1f ", 5));
    EXPECT_EQ(Code(c, 3, 0), 0x07);
    EXPECT_EQ(Code(c, 4, 0), 0x08);
    EXPECT_EQ(Code(c, 5, 0), 0x00);
    EXPECT_EQ(Code(c, 6, 0), 0x1F);
    EXPECT_EQ(Cell(c, 7, 0).attr, 0x2345);
    EXPECT_EQ(Consout_GetCurX(c), 8);
}

TEST(ConsoleOutput, WritingTheLastColumnWrapsAndOnTheLastRowScrolls) {
    Console c(80, 3, 100);
    int notes = 0;
    Consout_SetScrollNotifyProc(
        c, [](Consout *, ZuboUserValue u) -> int32_t { return ++*reinterpret_cast<int *>(u); },
        reinterpret_cast<ZuboUserValue>(&notes));
    Feed(c, std::string(80, 'x'));
    EXPECT_CURSOR(c, 0, 1);
    Consout_MoveCurDownMost(c);
    Feed(c, std::string(80, 'y'));
    EXPECT_EQ(notes, 1);
    EXPECT_EQ(Consout_GetCurY(c), 2);
    EXPECT_EQ(Row(c, 1), std::string(80, 'y'));
    EXPECT_RING_OK(c);
}

TEST(ConsoleOutput, TabLineFeedAndCarriageReturnFollowTheOutputMode) {
    Console c(80, 25, 100);
    Feed(c, "\t");
    EXPECT_EQ(Consout_GetCurX(c), 8);
    Feed(c, "\t");
    EXPECT_EQ(Consout_GetCurX(c), 16);
    Consout_MoveCur(c, 75, 0);
    Feed(c, "\t");
    EXPECT_CURSOR(c, 0, 1);
    for (int32_t mode : {0, 4}) {
        Consout_SetOutputMode(c, mode);
        Consout_MoveCur(c, 3, 1);
        Feed(c, "\t");
        EXPECT_EQ(Consout_GetCurX(c), 3) << mode;
    }
    Consout_SetOutputMode(c, 5);
    Consout_SetTabstop(c, 0);  // a tab stop below 1 writes nothing
    Feed(c, "\t");
    Consout_SetTabstop(c, -4);
    Feed(c, "\t");
    EXPECT_EQ(Consout_GetCurX(c), 3);

    Consout_MoveCur(c, 5, 2);
    Feed(c, "\n");
    EXPECT_CURSOR(c, 5, 3);
    Consout_SetOutputMode(c, 7);
    Feed(c, "\n");
    EXPECT_CURSOR(c, 0, 4);
    Consout_SetOutputMode(c, 2);  // NEWLINE_CR without ENABLE does nothing
    Consout_MoveCur(c, 5, 4);
    Feed(c, "\n");
    EXPECT_EQ(Consout_GetCurX(c), 5);
    Feed(c, "\r");
    EXPECT_CURSOR(c, 0, 5);
}

TEST(ConsoleOutput, ShiftJisPairsAreDoubleWidthCells) {
    Console c(80, 25, 100);
    Consout_MoveCur(c, 10, 0);
    Feed(c, "\x88");
    EXPECT_EQ(c->escState, zubo::console::kSjisSecond);
    EXPECT_EQ(Consout_GetCurX(c), 10);
    Feed(c, "\x9f");
    EXPECT_EQ(c->escState, zubo::console::kGround);
    EXPECT_EQ(Code(c, 10, 0), 0x1088);
    EXPECT_EQ(Code(c, 11, 0), 0x119F);
    EXPECT_EQ(Consout_GetCurX(c), 12);
    // Started in the last column: a blank there, the pair on the next row.
    Consout_MoveCur(c, 79, 0);
    Feed(c, "\x88\x9f");
    EXPECT_EQ(Code(c, 79, 0), 0x0020);
    EXPECT_EQ(Code(c, 0, 1), 0x1088);
    EXPECT_EQ(Code(c, 1, 1), 0x119F);
    // Half-width katakana is single-byte; a control byte can be a second byte.
    Feed(c, "\xb1\x81\n");
    EXPECT_EQ(Code(c, 2, 1), 0x00B1);
    EXPECT_EQ(Code(c, 3, 1), 0x1081);
    EXPECT_EQ(Code(c, 4, 1), 0x110A);
    EXPECT_EQ(Consout_GetCurY(c), 1);
    EXPECT_RING_OK(c);
}

TEST(ConsoleOutput, EucAndJisPairsGoThroughThePairArithmetic) {
    Console c(80, 25, 100);
    Consout_SetKanjicode(c, KANJICODE_EUC);
    Feed(c, "\xb0");
    EXPECT_EQ(c->escState, zubo::console::kEucSecond);
    Feed(c, "\xa1");
    EXPECT_EQ(Code(c, 0, 0), 0x1088);
    EXPECT_EQ(Code(c, 1, 0), 0x119F);
    Consout_SetKanjicode(c, 2);  // neither: every byte is a single cell
    Feed(c, "\xb0\xa1\x88");
    EXPECT_EQ(Code(c, 2, 0), 0x00B0);
    EXPECT_EQ(Code(c, 3, 0), 0x00A1);
    EXPECT_EQ(Code(c, 4, 0), 0x0088);

    // JIS with shift sequences; the ANSI procedure sees only the two-byte
    // collections and answers 0 to them.
    Consout_SetKanjicode(c, KANJICODE_SJIS);
    Recorder rec;
    rec.finishAt = 3;
    Consout_SetESCProc(c, RecordingProc, reinterpret_cast<ZuboUserValue>(&rec));
    Consout_MoveCur(c, 0, 1);
    Feed(c, "\x1b$B");
    EXPECT_EQ(Consout_GetCharset(c), SHIFT_DOUBLE);
    Feed(c, "\x30");
    EXPECT_EQ(c->escState, zubo::console::kJisSecond);
    Feed(c, "\x21\x1b(BA");
    EXPECT_EQ(Code(c, 0, 1), 0x1088);
    EXPECT_EQ(Code(c, 1, 1), 0x119F);
    EXPECT_EQ(Code(c, 2, 1), 0x0041);
    EXPECT_EQ(Consout_GetCharset(c), SHIFT_SINGLE);
    ASSERT_EQ(rec.calls.size(), 2u);
    EXPECT_EQ(rec.calls[0].bytes, "\x1b$");
    EXPECT_EQ(rec.calls[1].bytes, "\x1b(");
    EXPECT_EQ(rec.calls[0].user, reinterpret_cast<ZuboUserValue>(&rec));
    // ESC ( J is not a shift sequence: the procedure gets all three bytes.
    rec.calls.clear();
    Feed(c, "\x1b(J");
    ASSERT_EQ(rec.calls.size(), 2u);
    EXPECT_EQ(rec.calls[1].bytes, "\x1b(J");
    EXPECT_EQ(Consout_GetCurX(c), 3);
}

TEST(ConsoleOutput, EscapeCollectionEndsByTheProcedureOrAt128Bytes) {
    Console c(80, 25, 100);
    // Without a procedure every collection ends at its second byte, so the
    // third byte of a shift sequence is printed.
    Consout_SetESCProc(c, nullptr, 0);
    Feed(c, "\x1b(B");
    EXPECT_EQ(Code(c, 0, 0), 'B');
    EXPECT_EQ(Consout_GetCharset(c), SHIFT_SINGLE);

    Recorder rec;
    rec.finishAt = 1000;  // never finishes
    Consout_SetESCProc(c, RecordingProc, reinterpret_cast<ZuboUserValue>(&rec));
    Feed(c, "\x1b");
    EXPECT_TRUE(rec.calls.empty());  // ESC alone calls nothing
    EXPECT_EQ(c->escState, zubo::console::kEscCollect);
    Feed(c, std::string(127, '['));
    EXPECT_EQ(rec.calls.size(), 127u);
    EXPECT_EQ(rec.calls.back().bytes.size(), 128u);
    Feed(c, "Z");  // the full collection is dropped; Z is a character
    EXPECT_EQ(rec.calls.size(), 127u);
    EXPECT_EQ(Code(c, 1, 0), 'Z');
    // Consout_Reset abandons a collection or a first byte.
    Feed(c, "\x1b[");
    EXPECT_EQ(Consout_Reset(c), 0);
    Feed(c, "\x88");
    Consout_Reset(c);
    Feed(c, "Q");
    EXPECT_EQ(Code(c, 2, 0), 'Q');
    EXPECT_EQ(c->escState, zubo::console::kGround);
}

TEST(ConsoleOutput, OverwritingHalfACharacterBlanksTheOtherHalf) {
    Console c(80, 25, 100);
    Consout_MoveCur(c, 10, 0);
    Feed(c, "\x88\x9f\x88\x9f");  // columns 10-11 and 12-13
    Consout_DirtyClean(c);
    Consout_SetAttr(c, 0x1F);
    Consout_MoveCur(c, 11, 0);
    Feed(c, "x");
    EXPECT_EQ(Code(c, 10, 0), 0x0020);
    EXPECT_EQ(Cell(c, 10, 0).attr, 0xF0);  // its attribute stays
    EXPECT_EQ(Code(c, 11, 0), 'x');
    ExpectDirty(c, 10, 0, 12, 1);
    Consout_DirtyClean(c);
    Feed(c, "y");  // over the first half at 12
    EXPECT_EQ(Code(c, 13, 0), 0x0020);
    ExpectDirty(c, 12, 0, 14, 1);

    // Erase from a second half takes its first half too.
    Consout_MoveCur(c, 20, 2);
    Feed(c, "ab\x88\x9f" "cd");
    Consout_MoveCur(c, 23, 2);
    Consout_DirtyClean(c);
    Consout_SetAttr(c, 0x24);
    EXPECT_EQ(Consout_DeleteLineFromCursor(c), 1);
    EXPECT_EQ(Row(c, 2).substr(20, 6), "ab    ");
    EXPECT_EQ(Cell(c, 22, 2).attr, 0x24);
    EXPECT_EQ(Cell(c, 79, 2).attr, 0x24);
    EXPECT_EQ(Cell(c, 21, 2).attr, 0x1F);
    EXPECT_EQ(Consout_GetCurX(c), 23);
    ExpectDirty(c, 22, 2, 80, 3);
    EXPECT_RING_OK(c);
}

TEST(ConsoleOutput, ClearScreenBlanksOnlyTheScreen) {
    Console c(10, 3, 20);
    Feed(c, "old\n\n\n\nnew");
    Consout_SetAttr(c, 0x14);
    EXPECT_EQ(Consout_ClearScreen(c), 1);
    for (int32_t y = 0; y < 3; ++y) {
        EXPECT_EQ(Row(c, y), std::string(10, ' '));
        EXPECT_EQ(Cell(c, 9, y).attr, 0x14);
    }
    EXPECT_CURSOR(c, 0, 0);
    EXPECT_EQ(LineText(zubo::console::Lines(c.c)[0], 3), "old");  // scroll-back kept
    ExpectDirty(c, 0, 0, 10, 3);
}

TEST(ConsoleOutput, OneColumnConsoleStaysInsideItsLines) {
    Console c(1, 3, 5);
    Feed(c, "\x88\x9f" "a\x88");
    Feed(c, "\x9f\t");
    EXPECT_RING_OK(c);
    // A narrowed console whose lines still hold double-width characters.
    Console d(4, 2, 4);
    Feed(d, "\x88\x9f\x88\x9f");
    Consout_SetConsSize(d, 1, 2);
    Consout_MoveCur(d, 0, 0);
    Feed(d, "z");
    EXPECT_EQ(Code(d, 0, 0), 'z');
    EXPECT_EQ(zubo::console::Cells(zubo::console::Lines(d.c)[0])[1].code, 0x0020);
    EXPECT_RING_OK(d);
}

TEST(ConsoleOutput, AnsiEraseToEndOfLine) {
    Console c(10, 3, 5);
    Feed(c, "abcdefghij");
    Consout_MoveCur(c, 4, 0);
    Feed(c, "\x1b[0K");
    EXPECT_EQ(Row(c, 0), "abcdefghij");
    Feed(c, "\x1b[K");
    EXPECT_EQ(Row(c, 0), "abcd      ");
    EXPECT_EQ(Consout_GetCurX(c), 4);
    Feed(c, "\x1b[2J");
    EXPECT_EQ(Row(c, 0), std::string(10, ' '));
}

// The byte machine without escapes, written straight from its rules: the
// screen rows (newest last, scrolled rows dropped), cursor, dirty rectangle,
// state and the count of scroll notifications. Every cell goes through the
// one cell writer, as the rules put it; the console's shortcuts must come to
// the same thing.
struct Model {
    int32_t w, h;
    std::deque<std::vector<ConsoutCell>> rows;
    int32_t x = 0, y = 0, attr = ATTR_DEFAULT, charset = 0, kanjicode = 0, mode = 5, tab = 8;
    int32_t dl = 0, dt = 0, dr, db, state = 0, scrolls = 0;
    uint8_t lead = 0;

    Model(int32_t width, int32_t height) : w(width), h(height), dr(width), db(height) {
        for (int32_t i = 0; i < h; ++i) rows.push_back(BlankRow());
    }
    std::vector<ConsoutCell> BlankRow() const {
        return std::vector<ConsoutCell>(w, ConsoutCell{CONSOUT_BLANK, static_cast<uint16_t>(attr)});
    }
    void Grow(int32_t l, int32_t r, int32_t row) {
        dl = std::min(dl, l);
        dr = std::max(dr, r);
        dt = std::min(dt, row);
        db = std::max(db, row + 1);
    }
    void LineFeed() {
        if (y + 1 < h) {
            ++y;
            return;
        }
        rows.pop_front();
        rows.push_back(BlankRow());
        dl = dt = 0;
        dr = w;
        db = h;
        ++scrolls;
    }
    void PutCell(uint16_t code) {
        std::vector<ConsoutCell> &row = rows[y];
        const uint8_t high = row[x].code >> 8;
        if (high == WIDE_SECOND && x > 0) {
            row[x - 1].code = CONSOUT_BLANK;
            dl = std::min(dl, x - 1);
        } else if (high == WIDE_FIRST && x + 1 < w) {
            row[x + 1].code = CONSOUT_BLANK;
            dr = std::max(dr, x + 2);
        }
        row[x] = ConsoutCell{code, static_cast<uint16_t>(attr)};
        Grow(x, x + 1, y);
        if (++x == w) {
            x = 0;
            LineFeed();
        }
    }
    void PutWide(uint8_t b1, uint8_t b2) {
        if (w >= 2 && x == w - 1) PutCell(CONSOUT_BLANK);
        if (w < 2) {
            PutCell(CONSOUT_BLANK);
            return;
        }
        PutCell(static_cast<uint16_t>(WIDE_FIRST << 8 | b1));
        PutCell(static_cast<uint16_t>(WIDE_SECOND << 8 | b2));
    }
    void PutJis(uint8_t row, uint8_t cell) {
        uint8_t s1, s2;
        zubo::kanji::JisPairToSjis(row, cell, &s1, &s2);
        PutWide(s1, s2);
    }
    void Put(uint8_t b) {  // any byte but ESC
        const int32_t was = state;
        state = 0;
        if (was == 1) return PutWide(lead, b);
        if (was == 2) return PutJis(static_cast<uint8_t>(lead - 0x80), static_cast<uint8_t>(b - 0x80));
        if (was == 3) return PutJis(lead, b);
        const bool on = mode & OUTMODE_ENABLE;
        if (b == '\t') {
            if (on && (mode & OUTMODE_EXPAND_TAB) && tab >= 1)
                for (int32_t n = std::min(tab - x % tab, w - x); n > 0; --n) PutCell(CONSOUT_BLANK);
        } else if (b == '\n') {
            if (on && (mode & OUTMODE_NEWLINE_CR)) x = 0;
            LineFeed();
        } else if (b == '\r') {
            x = 0;
        } else if (b <= 0x20) {
            PutCell(b);
        } else {
            lead = b;
            if (charset == SHIFT_DOUBLE)
                state = 3;
            else if (kanjicode == KANJICODE_SJIS && zubo::kanji::IsSjisLead(b))
                state = 1;
            else if (kanjicode == KANJICODE_EUC && b >= 0x80)
                state = 2;
            else
                PutCell(b);
        }
    }
};

// What the console shows against the model: the screen cells, the cursor,
// the dirty rectangle, the state and the notifications.
std::string Differences(Consout *c, const Model &m, int scrolls) {
    std::string d;
    auto diff = [&d](const char *what, int64_t got, int64_t want) {
        if (got != want)
            d += std::string(what) + " " + std::to_string(got) + " != " + std::to_string(want) + "; ";
    };
    diff("curX", c->curX, m.x);
    diff("curY", c->curY, m.y);
    diff("dirtyLeft", c->dirtyLeft, m.dl);
    diff("dirtyTop", c->dirtyTop, m.dt);
    diff("dirtyRight", c->dirtyRight, m.dr);
    diff("dirtyBottom", c->dirtyBottom, m.db);
    diff("escState", c->escState, m.state);
    diff("escLen", c->escLen, m.state ? 1 : 0);
    diff("scrolls", scrolls, m.scrolls);
    for (int32_t y = 0; y < m.h; ++y)
        for (int32_t x = 0; x < m.w; ++x) {
            const ConsoutCell &got = Cell(c, x, y), &want = m.rows[y][x];
            if (got.code != want.code || got.attr != want.attr)
                return d + "cell " + std::to_string(x) + "," + std::to_string(y);
        }
    return d;
}

// Random bytes (printable ones most of all, Shift_JIS and EUC pairs,
// katakana, LF, CR, TAB and other control bytes) mixed with calls that move
// the cursor, clean the dirty rectangle and change the attribute, the kanji
// code, the shift mode and the output mode, on screens from one column
// wide to 80, with rings whose screen often wraps around the ring's end.
TEST(ConsoleOutput, BytesMatchTheRulesOfTheCellWriter) {
    const int32_t sizes[][3] = {{80, 25, 40}, {7, 4, 9}, {3, 3, 5}, {2, 2, 2}, {1, 3, 4}};
    for (const auto &size : sizes) {
        // The wide screen is slower to compare: fewer steps.
        const int steps = size[0] > 10 ? 4000 : 20000;
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            std::mt19937 rng(seed * 7919 + static_cast<uint32_t>(size[0]));
            Console c(size[0], size[1], size[2]);
            Model m(size[0], size[1]);
            int scrolls = 0;
            Consout_SetScrollNotifyProc(
                c, [](Consout *, ZuboUserValue u) -> int32_t { return ++*reinterpret_cast<int *>(u); },
                reinterpret_cast<ZuboUserValue>(&scrolls));
            for (int step = 0; step < steps; ++step) {
                const uint32_t r = rng() % 1000;
                std::string what;
                if (r < 10) {
                    Consout_DirtyClean(c);
                    m.dl = m.dt = DIRTY_CLEAN;
                    m.dr = m.db = 0;
                    what = "clean";
                } else if (r < 20) {
                    const int32_t x = static_cast<int32_t>(rng() % m.w), y = static_cast<int32_t>(rng() % m.h);
                    Consout_MoveCur(c, x, y);
                    m.x = x;
                    m.y = y;
                    what = "move";
                } else if (r < 25) {
                    m.attr = static_cast<int32_t>(rng() & 0x1FF);
                    Consout_SetAttr(c, m.attr);
                    what = "attr";
                } else if (r < 28) {
                    m.kanjicode = static_cast<int32_t>(rng() % 3);
                    Consout_SetKanjicode(c, m.kanjicode);
                    what = "kanjicode";
                } else if (r < 30) {
                    m.charset = rng() % 4 ? SHIFT_SINGLE : SHIFT_DOUBLE;
                    Consout_SetCharset(c, m.charset);
                    what = "charset";
                } else if (r < 32) {
                    m.mode = static_cast<int32_t>(rng() % 8);
                    Consout_SetOutputMode(c, m.mode);
                    what = "mode";
                } else {
                    uint8_t b;
                    if (r < 700)
                        b = static_cast<uint8_t>(0x21 + rng() % 95);
                    else if (r < 880)
                        b = static_cast<uint8_t>(0x80 + rng() % 128);
                    else if (r < 920)
                        b = '\n';
                    else if (r < 940)
                        b = '\r';
                    else if (r < 955)
                        b = '\t';
                    else
                        b = static_cast<uint8_t>(rng() % 0x21);
                    if (b == 0x1B) b = ' ';
                    ASSERT_EQ(Consout_Putchar(c, b), b);
                    m.Put(b);
                    what = "byte " + std::to_string(b);
                }
                const std::string d = Differences(c, m, scrolls);
                ASSERT_EQ(d, "") << "size " << size[0] << "x" << size[1] << "/" << size[2]
                                 << " seed " << seed << " step " << step << " after " << what;
            }
            EXPECT_RING_OK(c);
        }
    }
}

}  // namespace
