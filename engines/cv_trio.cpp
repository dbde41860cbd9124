#include "engines/cv_trio.h"

#include <cstdint>
#include <sstream>
#include <stdexcept>

CVTrio::CVTrio() : m_mtx(nullptr), m_cv(nullptr), m_queue(nullptr), m_admission(nullptr) {}

CVTrio::CVTrio(std::mutex* mtx, std::condition_variable* cv, std::deque<std::string>* queue)
    : m_mtx(mtx), m_cv(cv), m_queue(queue), m_admission(nullptr)
{
}

void CVTrio::clear()
{
    m_mtx = nullptr;
    m_cv = nullptr;
    m_queue = nullptr;
    m_admission = nullptr;
}

bool CVTrio::valid() const { return m_mtx != nullptr && m_cv != nullptr && m_queue != nullptr; }

void CVTrio::command(const std::string& line)
{
    if (m_mtx == nullptr) {
        throw std::logic_error("CVTrio::command   no mutex found");
    }
    std::lock_guard lock(*m_mtx);
    if (m_queue == nullptr) {
        return;
    }
    if (m_admission != nullptr) {
        m_admission->admit(*m_queue, line);
    } else {
        m_queue->push_back(line);
    }
    if (m_cv != nullptr) {
        m_cv->notify_all();
    }
}

void CVTrio::wake()
{
    if (m_mtx == nullptr || m_cv == nullptr) {
        return;
    }
    std::lock_guard lock(*m_mtx);
    m_cv->notify_all();
}

std::string CVTrio::get()
{
    if (m_mtx == nullptr || m_queue == nullptr) {
        return "";
    }
    std::lock_guard lock(*m_mtx);
    std::string line;
    if (!m_queue->empty()) {
        line = std::move(m_queue->front());
        m_queue->pop_front();
    }
    return line;
}

std::string CVTrio::to_string() const
{
    std::ostringstream out;
    out << "CVTrio:    mtx=0x" << std::hex << reinterpret_cast<std::uintptr_t>(m_mtx) << "  cv=0x"
        << reinterpret_cast<std::uintptr_t>(m_cv) << "  queue=0x" << reinterpret_cast<std::uintptr_t>(m_queue);
    return out.str();
}
