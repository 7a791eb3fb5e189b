// TScriptedUser: a user port for tests that answers from a script, records every prompt and
// fails the test on a prompt nobody expected.
#pragma once

#include "port/user_port.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace vartesk::test {

class TScriptedUser : public TMessages, public TFileChooser, public TWaitWindow, public TDesktop
{
public:
    // What the script answers, in order.
    std::deque<bool> Answers; // Ask
    std::deque<std::optional<std::filesystem::path>> Targets; // ChooseSave, ChooseFolder

    // What happened, in order: "tell error: ...", "ask: ...", "save: filter", "folder: title",
    // "wait: text/N", "step", "end", "open: path".
    std::vector<std::string> Log;
    std::vector<std::string> Told; // the texts of Tell alone
    int Steps = 0;

    void Tell(TMessageKind kind, const std::string &text) override
    {
        static const char *const kKinds[] = {"error", "warning", "information", "plain"};
        Log.push_back(std::string("tell ") + kKinds[int(kind)] + ": " + text);
        Told.push_back(text);
    }
    bool Ask(const std::string &text) override
    {
        Log.push_back("ask: " + text);
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> ChooseSave(const TSaveRequest &request) override
    {
        Log.push_back("save: " + request.Filter);
        if (Targets.empty()) {
            ADD_FAILURE() << "unexpected save dialog";
            return std::nullopt;
        }
        auto target = Targets.front();
        Targets.pop_front();
        return target;
    }
    std::optional<std::filesystem::path> ChooseFolder(const TSaveRequest &request) override
    {
        Log.push_back("folder: " + request.Title);
        if (Targets.empty()) {
            ADD_FAILURE() << "unexpected folder dialog";
            return std::nullopt;
        }
        auto target = Targets.front();
        Targets.pop_front();
        return target;
    }
    void Begin(const std::string &text, int total) override
    {
        Log.push_back("wait: " + text + "/" + std::to_string(total));
    }
    void Step() override { ++Steps; }
    void End() override { Log.push_back("end"); }
    void Open(const std::filesystem::path &path) override
    {
        Log.push_back("open: " + path.string());
    }

    TUserPort Port() { return {*this, *this, *this, *this}; }
};

} // namespace vartesk::test
