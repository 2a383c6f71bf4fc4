// The details a damaged task or catalog is reported with: Russian, naming the
// field and the offset where reading stopped.
#include "model/base.h"
#include "model/document.h"
#include "modeltest.h"

namespace {

class ReaderErrors : public ModelTest {};

template <class Load>
std::string ErrorOf(const Bytes& bytes, Load load)
{
    try {
        ArchiveReader ar(bytes);
        load(ar);
    } catch (const ArchiveError& e) {
        return e.what();
    }
    return "(read without an error)";
}

TEST_F(ReaderErrors, TruncatedOrDamagedFilesNameTheFieldInRussian)
{
    struct Case {
        bool task;
        Bytes bytes;
        const char* message;
    };
    const Case cases[] = {
        {true, {}, "файл обрывается в поле «путь к базе данных»: нужно 1 байт, осталось 0 (смещение 0)"},
        {true, {4, 'a', 'b'}, "файл обрывается в поле «путь к базе данных»: нужно 4 байт, осталось 2 (смещение 1)"},
        {true, {0, 0, 210}, "число проводов 210 больше 40 (смещение 3)"},
        {true, {0, 0, 2, 1}, "файл обрывается в поле «число элементов»: нужно 2 байт, осталось 1 (смещение 3)"},
        {false, {}, "файл обрывается в поле «опоры»: нужно 2 байт, осталось 0 (смещение 0)"},
        {false, {5, 0}, "число записей в поле «опоры» (5) больше, чем помещается в остатке файла (смещение 2)"},
        {false, {0, 0, 0, 0, 0, 0, 0, 0, 9}, "число списков фильтров 9 больше семи (смещение 9)"},
    };
    for (const Case& c : cases) {
        std::string got = c.task ? ErrorOf(c.bytes, [](ArchiveReader& ar) { CKestrinDoc().Serialize(ar); })
                                 : ErrorOf(c.bytes, [](ArchiveReader& ar) { CBase().Load(ar); });
        EXPECT_EQ(got, c.message) << (c.task ? "task" : "catalog") << " of " << c.bytes.size() << " bytes";
    }
}

} // namespace
