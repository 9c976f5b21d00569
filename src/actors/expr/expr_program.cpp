#include "actors/expr/expr_program.h"

#include <string_view>
#include <vector>

#include "actors/expr/expr_eval.h"
#include "actors/expr/expr_scanner.h"
#include "actors/expr/expr_tables.h"
#include "actors/expr/expr_walk.h"
#include "records/utility.h"

namespace {

// One word of a level's text as MakeCodeItems cuts it.
struct CODETOKEN {
    bool bPrefix = false;  // ended by '.': an object prefix
    int nSlot = -1;        // the word opens with the value of this slot of the level
    std::string strText;   // the word's fixed bytes (after the slot's value)
    int nObj = -1;         // prefixes: the object named; -1 none
    bool bDigitsFollow = false;  // slot words: the fixed bytes go on with digits of the number
    CODEWORD word;         // items without a slot: what the word is
};

struct CODESLOT;

// The text between a pair of brackets (or the whole text): what EvalExpr
// evaluates in one call.
struct CODELEVEL {
    bool bTooDeep = false;             // nested too deep: an error, nothing else
    bool bUnclosed = false;            // after the slots, a '(' without ')': an error
    std::vector<CODESLOT> vSlots;      // groups and calls, in order
    std::vector<std::string> vPieces;  // the text around the slots: piece 0, slot 0, piece 1, ...
    std::vector<CODETOKEN> vTokens;    // the words of that text
};

// A group (nFunc -1, vArgs[0] its text) or a call of function nFunc with the
// texts of its non-empty arguments.
struct CODESLOT {
    int nFunc = -1;
    bool bBadArgs = false;  // not two arguments: an error after they ran, which ends the level
    std::vector<CODELEVEL> vArgs;
};

void CompileLevel(std::string_view text, const std::vector<int>& match, int begin, int end, int depth,
                  CODELEVEL& level);

// The walk of CompileLevel: the pieces of the level's text and its slots.
struct COMPILEWALK {
    std::string_view text;
    const std::vector<int>& match;
    int depth;
    CODELEVEL& level;
    std::string out;  // the current piece

    void Byte(char c) { out += c; }
    void Group(int open, int close) {
        CODESLOT& slot = level.vSlots.emplace_back();
        CompileLevel(text, match, open + 1, close, depth + 1, slot.vArgs.emplace_back());
        EndPiece();
    }
    bool Call(int func, int nameLen, int open, int close) {
        CODESLOT& slot = level.vSlots.emplace_back();
        slot.nFunc = func;
        const int count = ForEachCodeCallArg(text, open, close, [&](int from, int to) {
            CompileLevel(text, match, from, to, depth + 1, slot.vArgs.emplace_back());
        });
        slot.bBadArgs = count != 2;
        if (slot.bBadArgs) return false;
        out.resize(out.size() - nameLen);
        EndPiece();
        return true;
    }
    void EndPiece() {
        level.vPieces.push_back(std::move(out));
        out.clear();
    }
};

// Cuts the level's text into words as MakeCodeItems does. A slot sits at
// the start of a word (the start of the text or after a blank), never
// inside one, and makes that word non-empty.
void CompileTokens(CODELEVEL& level) {
    std::string flat;
    std::vector<size_t> slotAt;
    for (size_t k = 0; k < level.vPieces.size(); ++k) {
        if (k > 0) slotAt.push_back(flat.size());
        flat += level.vPieces[k];
    }
    size_t next = 0;  // the next slot
    size_t word = 0;  // where the current word starts
    for (size_t i = 0; i <= flat.size(); ++i) {
        const char c = i < flat.size() ? flat[i] : '\0';
        if (c != '.' && c != ' ' && c != '\0') continue;
        CODETOKEN tok;
        if (next < slotAt.size() && slotAt[next] == word) tok.nSlot = static_cast<int>(next++);
        const char* w = flat.data() + word;
        const int len = static_cast<int>(i - word);
        word = i + 1;
        tok.strText.assign(w, len);
        if (c == '.') {
            tok.bPrefix = true;
            // A word that opens with a number names no object.
            if (tok.nSlot < 0) tok.nObj = FindCodeName(CodeObjNames, w, len);
        } else if (tok.nSlot >= 0) {
            tok.bDigitsFollow = len > 0 && w[0] >= '0' && w[0] <= '9';
        } else if (len > 0) {
            tok.word = ClassifyCodeWord(w, len);
        } else {
            continue;
        }
        level.vTokens.push_back(std::move(tok));
    }
}

// Follows EvalExpr over text[begin, end), with the same stops.
void CompileLevel(std::string_view text, const std::vector<int>& match, int begin, int end, int depth,
                  CODELEVEL& level) {
    if (depth > CODE_MAX_DEPTH) {
        level.bTooDeep = true;
        return;
    }
    COMPILEWALK walk{text, match, depth, level, {}};
    const int ended = WalkCodeLevel(text, match, begin, end, walk);
    level.bUnclosed = ended == CODE_WALK_UNCLOSED;
    if (ended != CODE_WALK_DONE) return;
    walk.EndPiece();
    CompileTokens(level);
}

// What a run needs besides the program: the context and the values of the
// slots of the levels being evaluated (a stack) and the items of the level
// whose words are made (one level at a time).
struct EVALSTATE {
    CODECONTEXT& ctx;
    std::vector<int32_t> vValues;
    std::vector<CODEITEM> vItems;
};

// The level's text with the values of its slots, as EvalExpr hands it on.
std::string LevelText(const CODELEVEL& level, const int32_t* values) {
    std::string text = level.vPieces[0];
    for (size_t k = 1; k < level.vPieces.size(); ++k) text += std::to_string(values[k - 1]) + level.vPieces[k];
    return text;
}

// The items of the level's words, then its value: EvalTokens of its text.
int EvalLevelTokens(EVALSTATE& st, const CODELEVEL& level, const int32_t* values) {
    CODECONTEXT& ctx = st.ctx;
    std::vector<CODEITEM>& items = st.vItems;
    items.clear();
    int nObj = CODE_OBJ_MY;
    bool bMade = false;  // an item was made since the start or the last prefix
    for (const CODETOKEN& tok : level.vTokens) {
        if (tok.bPrefix) {
            if (tok.nObj >= 0) {
                nObj = tok.nObj;
            } else if (!bMade) {
                ReportUnknownObject(ctx, tok.nSlot < 0 ? tok.strText : std::to_string(values[tok.nSlot]) + tok.strText);
                return 0;
            }
            bMade = false;
            continue;
        }
        // A word without a slot is used as compiled; the item is made in its place.
        const CODEWORD* lpWord = &tok.word;
        CODEWORD word;
        if (tok.nSlot >= 0) {
            word = tok.word;
            const int32_t v = values[tok.nSlot];
            if (tok.bDigitsFollow) {
                const std::string number = std::to_string(v) + tok.strText;
                word.nNumber = ReadCodeNumber(number.data(), number.data() + number.size());
            } else {
                word.nNumber = v;
            }
            lpWord = &word;
        }
        if (!MakeCodeItem(ctx, nObj, *lpWord, items.emplace_back())) {
            items.pop_back();
            return 0;
        }
        nObj = CODE_OBJ_MY;
        bMade = true;
    }
    bool bDivZero = false;
    const int v = ApplyCodeItems(ctx, items, bDivZero);
    if (bDivZero) ReportDivZero(ctx, LevelText(level, values));
    return v;
}

// Follows EvalExpr: the slots in order, then the words.
int EvalLevel(EVALSTATE& st, const CODELEVEL& level) {
    CODECONTEXT& ctx = st.ctx;
    if (level.bTooDeep) {
        ReportTooDeep(ctx);
        return 0;
    }
    const size_t base = st.vValues.size();
    int result = 0;
    bool bEnded = false;
    for (const CODESLOT& slot : level.vSlots) {
        if (slot.nFunc < 0) {
            // A group: an error inside leaves it 0 and evaluation goes on.
            st.vValues.push_back(EvalLevel(st, slot.vArgs[0]));
            continue;
        }
        int32_t arg[2] = {0, 0};
        int count = 0;
        for (const CODELEVEL& a : slot.vArgs) {
            const int32_t v = EvalLevel(st, a);
            if (count < 2) arg[count] = v;
            ++count;
        }
        if (slot.bBadArgs) {
            ReportBadArgs(ctx, slot.nFunc);
            bEnded = true;
            break;
        }
        st.vValues.push_back(RandRange(arg[0], arg[1]));
    }
    if (!bEnded) {
        if (level.bUnclosed)
            ReportUnclosed(ctx);
        else
            result = EvalLevelTokens(st, level, st.vValues.data() + base);
    }
    st.vValues.resize(base);
    return result;
}

}  // namespace

struct CODEPROGRAM {
    std::string strText;  // the whole text
    CODELEVEL top;
};

std::shared_ptr<const CODEPROGRAM> CompileCode(const std::string& text) {
    auto program = std::make_shared<CODEPROGRAM>();
    program->strText = text;
    const std::string_view s(text.c_str());  // up to the first NUL
    CompileLevel(s, MatchCodeBrackets(s), 0, static_cast<int>(s.size()), 0, program->top);
    return program;
}

const std::string& CodeProgramText(const CODEPROGRAM& program) { return program.strText; }

int RunCodeProgram(const CODEPROGRAM& program, cExprHost& host) {
    // The value and item lists are kept from run to run, so that a run
    // allocates nothing once they have grown; a run started inside another
    // finds them taken (empty) and makes its own.
    thread_local std::vector<int32_t> tValues;
    thread_local std::vector<CODEITEM> tItems;
    cCodeRun run(host);
    EVALSTATE st{run.ctx, std::move(tValues), std::move(tItems)};
    st.vValues.clear();
    st.vItems.clear();
    EvalLevel(st, program.top);
    tValues = std::move(st.vValues);
    tItems = std::move(st.vItems);
    return run.Finish();
}
