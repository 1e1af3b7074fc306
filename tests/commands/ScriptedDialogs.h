// The note commands' dialogs answered from a script, recording what was
// asked.
#pragma once

#include "NoteCommands.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

class ScriptedDialogs : public commands::NoteDialogs {
public:
    std::deque<std::optional<std::string>> opens;
    std::deque<std::optional<commands::SaveChoice>> saves;
    std::deque<commands::Answer> answers;
    std::vector<std::string> asked;
    std::vector<std::string> errors;
    int openShown = 0;
    int saveShown = 0;

    std::optional<std::string> ChooseNoteToOpen() override {
        ++openShown;
        return Next(opens);
    }
    std::optional<commands::SaveChoice> ChooseSaveName() override {
        ++saveShown;
        return Next(saves);
    }
    commands::Answer Ask(const std::string& text) override {
        asked.push_back(text);
        return answers.empty() ? commands::Answer::Cancel : Take(answers);
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }

private:
    template <class T> static T Take(std::deque<T>& queue) {
        T value = queue.front();
        queue.pop_front();
        return value;
    }
    template <class T> static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        return queue.empty() ? std::nullopt : Take(queue);
    }
};
