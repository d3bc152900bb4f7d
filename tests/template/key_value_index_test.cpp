#include "template/key_value_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "template/key_value_list.h"

namespace quorin {
namespace {

// Random texts over the characters that matter to splitting: every key the list knows has the
// same value in the index, the index knows no other key, and one index serves many texts. With
// one probe allowed, every collision sends the text to the ordered map.
TEST(KeyValueIndex, AgreesWithTheKeyValueListOnRandomTexts) {
    std::mt19937 rng(7);
    const std::string alphabet = "ab1=;,= \t";
    CKeyValueIndex hashed, ordered(1);
    for (int round = 0; round < 6000; ++round) {
        CKeyValueIndex& index = round % 3 ? hashed : ordered;
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, round < 5800 ? 40 : 4000)(rng);
        for (int i = 0; i < length; ++i)
            text += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
        const char separator = round % 2 ? ';' : ',';
        const CKeyValueList list(text, separator);
        index.Assign(text, separator);
        ASSERT_EQ(index.Size(), list.Size()) << text;
        for (const auto& [key, value] : list.Pairs())
            ASSERT_EQ(index.Find(key), value) << text << " key " << key;
        for (const char* absent : {"zz", "a1b", "\t\t"}) {
            if (!list.Find(absent)) {
                EXPECT_EQ(index.Find(absent), "") << text;
            }
        }
    }
}

}  // namespace
}  // namespace quorin
