// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/characters/CharacterSaveCheck.h"

#include "core/text/NumberText.h"

#include <limits>

namespace zorvek::characters {

namespace {

// Collects converted values until the first one that does not fit.
class Checker {
public:
    template <typename T>
    void text(const char* field, const QString& text, T& out)
    {
        if (failed())
            return;
        const std::optional<int64_t> value =
            numbertext::toFieldValue(text, {std::numeric_limits<T>::min(), std::numeric_limits<T>::max()});
        if (!value) {
            refuse(QStringLiteral("%1 cannot be saved as \"%2\": it must be a whole number from %3 to %4.")
                       .arg(QLatin1String(field), text)
                       .arg(std::numeric_limits<T>::min())
                       .arg(std::numeric_limits<T>::max()));
            return;
        }
        out = static_cast<T>(*value);
    }

    void choice(const char* field, const std::optional<int>& choice, uint8_t& out)
    {
        if (failed())
            return;
        if (!choice || *choice < 0 || *choice > 0xFF) {
            refuse(QStringLiteral("%1 has no entry selected.").arg(QLatin1String(field)));
            return;
        }
        out = static_cast<uint8_t>(*choice);
    }

    bool failed() const { return !m_problem.isEmpty(); }
    QString problem() const { return m_problem; }

private:
    void refuse(const QString& why) { m_problem = why + QStringLiteral("\nNothing has been saved."); }

    QString m_problem;
};

} // namespace

CheckedCharacter checkCharacter(const CharacterEdits& e)
{
    static const char* const commandNames[CharacterRecord::kCommandCount] = {"Command 1", "Command 2", "Command 3",
                                                                             "Command 4"};

    CharacterValues v;
    Checker check;
    check.text("Level", e.level, v.level);
    check.text("Current Hit Points", e.currentHp, v.currentHp);
    check.text("Maximum Hit Points", e.maximumHp, v.maximumHp);
    check.text("Current Magic Points", e.currentMp, v.currentMp);
    check.text("Maximum Magic Points", e.maximumMp, v.maximumMp);
    check.text("Strength", e.strength, v.strength);
    check.text("Agility", e.agility, v.agility);
    check.text("Vitality", e.vitality, v.vitality);
    check.text("Magic Power", e.magicPower, v.magicPower);
    check.choice("Right Hand", e.rightHand, v.rightHand);
    check.choice("Left Hand", e.leftHand, v.leftHand);
    check.choice("Head", e.head, v.head);
    check.choice("Body", e.body, v.body);
    check.choice("Arms", e.arms, v.arms);
    for (int i = 0; i < CharacterRecord::kCommandCount; ++i)
        check.choice(commandNames[i], e.commands[i], v.commands[i]);

    if (check.failed())
        return {std::nullopt, check.problem()};
    return {v, {}};
}

} // namespace zorvek::characters
