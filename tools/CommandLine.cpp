// Argument parsing for the nereku tool. Options may stand before or after the
// file; "--name N" and "--name=N" are both accepted, and "--" ends the options
// so that a file whose name starts with '-' can still be named.
#include "CommandLine.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// A whole argument as an unsigned decimal number no greater than `maximum`:
// digits only, no sign, no spaces.
bool ParseNumber(const std::string& text, uint64_t maximum, uint64_t& value) {
    if (text.empty() || text.size() > 20) {
        return false;
    }
    const char* const end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value <= maximum;
}

// An option with a number from 0 to `maximum`, or, when `words` is set, one
// of those words (in any case), whose place in the list becomes the value.
struct Option {
    const char* name;
    uint64_t maximum;
    const std::vector<std::string>* words = nullptr;
    uint64_t value = 0;
    bool given = false;
};

const std::vector<std::string> kGradeWords = {"easy", "medium", "hard"};

bool ParseWord(const std::string& text, const std::vector<std::string>& words, uint64_t& value) {
    for (size_t k = 0; k < words.size(); ++k) {
        bool same = text.size() == words[k].size();
        for (size_t c = 0; same && c < text.size(); ++c) {
            same = std::tolower(static_cast<unsigned char>(text[c])) == words[k][c];
        }
        if (same) {
            value = k;
            return true;
        }
    }
    return false;
}

// Splits the arguments after the command into options and plain words, and
// checks each option's number.
bool ReadArguments(const std::vector<std::string>& arguments, std::vector<Option>& options,
                   std::vector<std::string>& words, std::string& problem) {
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            words.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        Option* option = nullptr;
        for (Option& candidate : options) {
            if (name == candidate.name) {
                option = &candidate;
            }
        }
        if (option == nullptr) {
            problem = "unknown option '" + argument + "'";
            return false;
        }
        if (option->given) {
            problem = name + " is given twice";
            return false;
        }
        std::string number;
        if (equals != std::string::npos) {
            number = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            number = arguments[++i];
        } else {
            problem = name + (option->words ? " needs a word" : " needs a number");
            return false;
        }
        if (option->words) {
            if (!ParseWord(number, *option->words, option->value)) {
                std::string list;
                for (const std::string& word : *option->words) {
                    list += (list.empty() ? "" : ", ") + word;
                }
                problem = name + " takes one of " + list + ", not '" + number + "'";
                return false;
            }
        } else if (!ParseNumber(number, option->maximum, option->value)) {
            problem = name + " takes a whole number from 0 to " + std::to_string(option->maximum) +
                      ", not '" + number + "'";
            return false;
        }
        option->given = true;
    }
    return true;
}

} // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& line, std::string& problem) {
    line = CommandLine();
    if (argc < 2) {
        problem = "no command given";
        return false;
    }
    const std::string command = argv[1];
    std::vector<std::string> arguments(argv + 2, argv + argc);
    std::vector<Option> options;
    if (command == "--help" || command == "-h" || command == "help") {
        line.command = ToolCommand::Help;
        if (!arguments.empty()) {
            problem = "--help takes no arguments";
            return false;
        }
        return true;
    } else if (command == "solve") {
        line.command = ToolCommand::Solve;
        options.push_back({"--limit", INT_MAX});
    } else if (command == "show") {
        line.command = ToolCommand::Show;
    } else if (command == "generate") {
        line.command = ToolCommand::Generate;
        options.push_back({"--count", 81});
        options.push_back({"--seed", UINT64_MAX});
    } else if (command == "make") {
        line.command = ToolCommand::Make;
        options.push_back({"--givens", 81});
        options.push_back({"--signs", 108});
        options.push_back({"--grade", 0, &kGradeWords});
        options.push_back({"--seed", UINT64_MAX});
    } else if (command == "grade") {
        line.command = ToolCommand::Grade;
    } else if (command == "hint") {
        line.command = ToolCommand::Hint;
    } else {
        problem = "unknown command '" + command + "'";
        return false;
    }

    std::vector<std::string> words;
    if (!ReadArguments(arguments, options, words, problem)) {
        return false;
    }
    if (words.size() != 1) {
        problem = words.empty() ? "no level file given" : "more than one level file given";
        return false;
    }
    line.file = words[0];
    if (line.command == ToolCommand::Solve && options[0].given) {
        line.limit = static_cast<int>(options[0].value);
    }
    if (line.command == ToolCommand::Generate) {
        if (!options[0].given) {
            problem = "generate needs --count";
            return false;
        }
        line.count = static_cast<int>(options[0].value);
        line.seeded = options[1].given;
        line.seed = options[1].value;
    }
    if (line.command == ToolCommand::Make) {
        line.givens = options[0].given ? static_cast<int>(options[0].value) : -1;
        line.signs = options[1].given ? static_cast<int>(options[1].value) : -1;
        line.grade = options[2].given ? static_cast<int>(options[2].value) : -1;
        line.seeded = options[3].given;
        line.seed = options[3].value;
    }
    return true;
}

const char* UsageText() {
    return "usage: nereku solve FILE.lvl [--limit N]\n"
           "       nereku show FILE.lvl\n"
           "       nereku generate --count N [--seed S] FILE.lvl\n"
           "       nereku make [--givens N] [--signs N] [--grade G] [--seed S] FILE.lvl\n"
           "       nereku grade FILE.lvl\n"
           "       nereku hint FILE.lvl\n"
           "       nereku --help\n";
}
