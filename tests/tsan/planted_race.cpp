// A deliberate data race for the ThreadSanitizer run: two Qt threads bump one
// plain counter without a lock. TSan must report it; the CTest around it
// (check_planted_race.sh) fails when the run comes back clean, so a TSan set-up
// that went blind (suppressions too broad, Qt's uninstrumented threads ignored)
// is noticed at once instead of passing every test.
#include <QThread>

#include <cstdio>

namespace {

long plantedCounter = 0;

// Kept out of line so that the report names it.
__attribute__((noinline)) void bumpPlantedCounterUnlocked()
{
    for (int i = 0; i < 100000; ++i)
        ++plantedCounter;
}

} // namespace

int main()
{
    QThread *first = QThread::create(bumpPlantedCounterUnlocked);
    QThread *second = QThread::create(bumpPlantedCounterUnlocked);
    first->start();
    second->start();
    first->wait();
    second->wait();
    delete first;
    delete second;
    std::printf("counter %ld\n", plantedCounter);
    return 0;
}
