// Worker threads: the kernel's thread handles and AfxBeginThread's self-deleting object.
#include "framework/CWinThread.h"

#include <gtest/gtest.h>
#include <atomic>
#include <windows.h>

namespace qv::test {
namespace {

constexpr DWORD kBound = 10000;

struct Work {
    std::atomic<bool> ran{false};
    std::atomic<DWORD> threadId{0};
    UINT result = 0;
};

UINT DoWork(LPVOID pParam) {
    auto* work = static_cast<Work*>(pParam);
    work->threadId = ::GetCurrentThreadId();
    work->ran = true;
    return work->result;
}

DWORD WINAPI DoWorkRaw(LPVOID pParam) {
    return DoWork(pParam);
}

// Waits (bounded) until hThread no longer names a thread.
bool WaitUntilClosed(HANDLE hThread) {
    DWORD code;
    for (DWORD waited = 0; waited < kBound; waited += 5) {
        if (!::GetExitCodeThread(hThread, &code))
            return ::GetLastError() == ERROR_INVALID_HANDLE;
        ::Sleep(5);
    }
    return false;
}

TEST(Threads, ASuspendedThreadRunsOnlyOnceResumedAndReportsItsExitCode) {
    Work work;
    work.result = 42;
    DWORD threadId = 0;
    HANDLE hThread = ::CreateThread(nullptr, 0, DoWorkRaw, &work, CREATE_SUSPENDED, &threadId);
    ASSERT_NE(hThread, nullptr);
    EXPECT_NE(threadId, ::GetCurrentThreadId());

    DWORD code = 0;
    EXPECT_EQ(::WaitForSingleObject(hThread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(::GetExitCodeThread(hThread, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_FALSE(work.ran);

    EXPECT_EQ(::ResumeThread(hThread), 1u);
    ASSERT_EQ(::WaitForSingleObject(hThread, kBound), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(work.threadId, threadId);
    ASSERT_TRUE(::GetExitCodeThread(hThread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(::ResumeThread(hThread), 0u);
    EXPECT_TRUE(::CloseHandle(hThread));
}

TEST(Threads, BadHandlesAndPrioritiesFailAsOnWindows) {
    Work work;
    HANDLE hThread = ::CreateThread(nullptr, 0, DoWorkRaw, &work, CREATE_SUSPENDED, nullptr);
    ASSERT_NE(hThread, nullptr);
    EXPECT_EQ(::GetThreadPriority(hThread), THREAD_PRIORITY_NORMAL);
    ::SetLastError(0);
    EXPECT_FALSE(::SetThreadPriority(hThread, 7));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(::SetThreadPriority(hThread, THREAD_PRIORITY_HIGHEST));
    EXPECT_EQ(::GetThreadPriority(hThread), THREAD_PRIORITY_HIGHEST);
    ::ResumeThread(hThread);
    ASSERT_EQ(::WaitForSingleObject(hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    ASSERT_TRUE(::CloseHandle(hThread));

    DWORD code;
    struct Case {
        const char* what;
        bool failed;
    };
    const Case cases[] = {
        {"CloseHandle twice", !::CloseHandle(hThread)},
        {"WaitForSingleObject", ::WaitForSingleObject(hThread, 0) == WAIT_FAILED},
        {"GetExitCodeThread", !::GetExitCodeThread(hThread, &code)},
        {"ResumeThread", ::ResumeThread(hThread) == static_cast<DWORD>(-1)},
        {"GetThreadPriority", ::GetThreadPriority(hThread) == THREAD_PRIORITY_ERROR_RETURN},
        {"SetThreadPriority null", !::SetThreadPriority(nullptr, THREAD_PRIORITY_NORMAL)},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(c.failed) << c.what;
    ::SetLastError(0);
    EXPECT_FALSE(::CloseHandle(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x1234))));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(AfxBeginThread, RunsTheFunctionAtThePriorityGivenThenDeletesItself) {
    Work work;
    CWinThread* pThread =
        AfxBeginThread(DoWork, &work, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    EXPECT_TRUE(pThread->m_bAutoDelete);
    HANDLE hThread = pThread->m_hThread;
    DWORD threadId = pThread->m_nThreadID;
    EXPECT_EQ(::GetThreadPriority(hThread), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_FALSE(work.ran);

    pThread->ResumeThread();
    // Deleting the object closes its handle: the handle going away shows the deletion.
    EXPECT_TRUE(WaitUntilClosed(hThread));
    EXPECT_TRUE(work.ran);
    EXPECT_EQ(work.threadId, threadId);
}

TEST(AfxBeginThread, AnObjectKeptAfterItsThreadEndsHoldsTheExitCode) {
    Work work;
    work.result = 7;
    CWinThread* pThread = AfxBeginThread(DoWork, &work, THREAD_PRIORITY_NORMAL, 0,
                                         CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, kBound),
              static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(pThread->m_hThread, &code));
    EXPECT_EQ(code, 7u);
    HANDLE hThread = pThread->m_hThread;
    delete pThread;
    EXPECT_FALSE(::GetExitCodeThread(hThread, &code));
}

TEST(AfxBeginThread, WithoutAFunctionNoThreadStarts) {
    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
}

} // namespace
} // namespace qv::test
