#pragma once

#include <sstream>
#include <string>

#include "editing/edit_session.h"
#include "render/trace_surface.h"
#include "store/profile_service.h"
#include "tests/support/temp_home.h"

// Three cards of one design: 氏名 at (10, 10) and 所属 at (30, 20), both 20 high, so that their
// boxes in the trace font are (10, 10)–(50, 30) and (30, 20)–(70, 40) on a 358 × 216 tag.
class SharedDesignTest : public TempHomeTest {
protected:
    SharedDesignTest() {
        std::string file = "[#Setting#]\r\nLabel=1\r\nMax=2\r\n";
        const char* names[] = {"山田", "佐藤", "鈴木"};
        for (int card = 0; card < 3; ++card)
            file += "[000" + std::to_string(card) + "]\r\n" + N + "=" + S(names[card]) + "\r\n" + A + "=" + S("東京") +
                    "\r\n" + Keys(N, 10, 10) + Keys(A, 30, 20);
        WriteBytes(PathOf("r.ini"), file);
        session.Record().SetPath(PathOf("r.ini"));
        session.ResetScope();
    }
    ~SharedDesignTest() override { profile::ProfileService::Instance().ForgetUndo(PathOf("r.ini")); }

    std::string Keys(const std::string& item, int x, int y) const {
        return "1IsPrint" + item + "=1\r\n1" + item + "Xpos=" + std::to_string(x) + "\r\n1" + item +
               "Ypos=" + std::to_string(y) + "\r\n1" + item + "Font=-20 0 0 0 400 0 0 0 128 3 2 1 49 0\r\n";
    }
    std::string Stored(int card, const std::string& key) const {
        RecordProfile record;
        record.SetPath(PathOf("r.ini"));
        return record.ReadString("000" + std::to_string(card), key, "(none)");
    }

    const std::string N = S("氏名"), A = S("所属");
    std::ostringstream trace;
    TraceSurface surface{trace, 100, 100, false};
    EditSession session{{}, [this]() -> Surface& { return surface; }};
};

