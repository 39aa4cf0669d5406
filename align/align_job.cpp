#include "align_job.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>

#include "align_watch.h"

#include <bseq.h>
#include <kthread.h>
#include <mmpriv.h>

namespace {

// Text the caller has not taken yet past which the workers wait, as the binary waits on a
// slow standard output.
constexpr size_t kReadyLimit = 64u << 20;

// minimap.h hides the thread buffer, yet the rl tag wants the repeat length minimap2 keeps
// there for the query it mapped last, right after its allocator (the layout of 2.x).
struct ThreadBufferHead {
  void* km;
  int repeatLength;
  int fragmentGap;
};

int lastRepeatLength(const mm_tbuf_t* buffer) {
  ThreadBufferHead head;
  std::memcpy(&head, buffer, sizeof head);
  return head.repeatLength;
}

// One batch of query sequences as minimap2 reads them.
struct Batch {
  AlignJob* job;
  const mm_idx_t* index;
  mm_bseq1_t* sequences;
  std::vector<mm_tbuf_t*>* buffers;
  // Under job->lock.
  std::vector<std::string> texts;
  std::vector<char> done;
  size_t next = 0;  // first sequence whose text is not handed over yet
};

// The PAF lines of one query, as the binary's output step writes them.
std::string mapSequence(const Batch& batch, mm_bseq1_t& sequence, mm_tbuf_t* buffer) {
  const mm_mapopt_t& options = batch.job->mapOptions;
  int count = 0;
  mm_reg1_t* regions = nullptr;
  mm_map_frag(batch.index, 1, &sequence.l_seq, const_cast<const char**>(&sequence.seq), &count, &regions, buffer,
              &options, sequence.name);
  int repeatLength = lastRepeatLength(buffer);
  std::string text;
  kstring_t line{0, 0, nullptr};
  for (int k = 0; k < count; ++k) {
    mm_write_paf3(&line, batch.index, &sequence, &regions[k], mm_tbuf_get_km(buffer), options.flag, repeatLength);
    text.append(line.s, line.l);
    text += '\n';
  }
  std::free(line.s);
  for (int k = 0; k < count; ++k) std::free(regions[k].p);
  std::free(regions);
  return text;
}

void mapOne(void* data, long index, int thread) {
  Batch& batch = *static_cast<Batch*>(data);
  AlignJob& job = *batch.job;
  if (job.stop.load()) return;
  size_t at = static_cast<size_t>(index);
  mm_bseq1_t& sequence = batch.sequences[at];
  std::string text;
  std::atomic<int64_t>& inFlight = job.basesInFlight[static_cast<size_t>(thread)];
  struct Watch {
    Watch(std::atomic<int64_t>* done, int64_t length) { watchQuery(done, length); }
    ~Watch() { stopWatchingQuery(); }
  } watch(&inFlight, sequence.l_seq);
  try {
    text = mapSequence(batch, sequence, (*batch.buffers)[static_cast<size_t>(thread)]);
  } catch (const std::bad_alloc&) {
    std::lock_guard<std::mutex> hold(job.lock);
    if (job.error.empty()) job.error = "out of memory while aligning " + job.path;
    job.stop = true;
    job.forCaller.notify_all();
    return;
  }
  std::unique_lock<std::mutex> hold(job.lock);
  job.forWorkers.wait(hold, [&] { return job.ready.size() < kReadyLimit || job.stop.load(); });
  batch.texts[at] = std::move(text);
  batch.done[at] = 1;
  while (batch.next < batch.done.size() && batch.done[batch.next]) {
    std::string& next = batch.texts[batch.next];
    for (char c : next) job.alignments += c == '\n';
    job.ready += next;
    std::string().swap(next);
    ++batch.next;
  }
  ++job.partSequencesDone;
  job.partBasesDone += sequence.l_seq;
  inFlight = 0;
  job.forCaller.notify_all();
}

std::string differs(const AlignJob& job, const char* what, size_t rank, const char* name, int64_t length) {
  const FastaSequence& wanted = job.expected[rank];
  return job.path + ": minimap2 read " + what + " " + std::to_string(rank + 1) + " as '" + name + "' of " +
         std::to_string(length) + " bases, where the file holds '" + wanted.name + "' of " +
         std::to_string(wanted.length) + " (did the file change?)";
}

// The index of one part must be the next run of the file's sequences.
bool checkIndex(const AlignJob& job, const mm_idx_t& index, size_t first, std::string& error) {
  for (uint32_t i = 0; i < index.n_seq; ++i) {
    size_t rank = first + i;
    const mm_idx_seq_t& seq = index.seq[i];
    if (rank >= job.expected.size() || job.expected[rank].name != seq.name ||
        job.expected[rank].length != static_cast<int64_t>(seq.len)) {
      error = rank >= job.expected.size() ? job.path + ": minimap2 read more sequences than the file holds"
                                          : differs(job, "sequence", rank, seq.name, seq.len);
      return false;
    }
  }
  return true;
}

bool checkQueries(const AlignJob& job, const mm_bseq1_t* sequences, int count, size_t first, std::string& error) {
  for (int i = 0; i < count; ++i) {
    size_t rank = first + static_cast<size_t>(i);
    if (rank >= job.expected.size() || job.expected[rank].name != sequences[i].name ||
        job.expected[rank].length != sequences[i].l_seq) {
      error = rank >= job.expected.size() ? job.path + ": minimap2 read more sequences than the file holds"
                                          : differs(job, "query", rank, sequences[i].name, sequences[i].l_seq);
      return false;
    }
  }
  return true;
}

void freeSequences(mm_bseq1_t* sequences, int count) {
  for (int i = 0; i < count; ++i) {
    std::free(sequences[i].name);
    std::free(sequences[i].seq);
    std::free(sequences[i].qual);
    std::free(sequences[i].comment);
  }
  std::free(sequences);
}

// Maps every query of the file against one index part, batch by batch as the binary reads
// them (mini_batch_size bases), each sequence on its own (no preset that pairs reads passes
// with -X).
bool mapAllQueries(AlignJob& job, const mm_idx_t* index, std::vector<mm_tbuf_t*>& buffers, std::string& error) {
  mm_bseq_file_t* file = mm_bseq_open(job.readPath.c_str());
  if (file == nullptr) {
    error = "cannot open " + job.path + " again to read its sequences";
    return false;
  }
  size_t first = 0;
  bool ok = true;
  while (ok && !job.stop.load()) {
    int count = 0;
    mm_bseq1_t* sequences = mm_bseq_read3(file, job.mapOptions.mini_batch_size, 0, 0, 0, &count);
    if (sequences == nullptr) break;
    ok = checkQueries(job, sequences, count, first, error);
    if (ok) {
      Batch batch{&job, index, sequences, &buffers, std::vector<std::string>(static_cast<size_t>(count)),
                  std::vector<char>(static_cast<size_t>(count), 0), 0};
      kt_for(job.threads, mapOne, &batch, count);
    }
    first += static_cast<size_t>(count);
    freeSequences(sequences, count);
  }
  mm_bseq_close(file);
  if (ok && !job.stop.load() && first != job.expected.size()) {
    error = job.path + ": minimap2 read " + std::to_string(first) + " sequences where the file holds " +
            std::to_string(job.expected.size()) + " (did the file change?)";
    ok = false;
  }
  return ok;
}

void runJob(AlignJob& job) {
  std::string error;
  mm_idx_reader_t* reader = mm_idx_reader_open(job.readPath.c_str(), &job.indexOptions, nullptr);
  if (reader == nullptr) error = "cannot open " + job.path + " again to index it";
  std::vector<mm_tbuf_t*> buffers;
  for (int i = 0; i < job.threads; ++i) buffers.push_back(mm_tbuf_init());
  size_t indexed = 0;
  while (reader != nullptr && error.empty() && !job.stop.load()) {
    mm_idx_t* index = mm_idx_reader_read(reader, job.threads);
    if (index == nullptr) break;
    if (checkIndex(job, *index, indexed, error)) {
      indexed += index->n_seq;
      // Once per part, as the binary does: the repeat cut-off comes from the first part only.
      mm_mapopt_update(&job.mapOptions, index);
      {
        std::lock_guard<std::mutex> hold(job.lock);
        job.indexing = false;
        ++job.part;
        job.partSequencesDone = job.partBasesDone = 0;
        job.forCaller.notify_all();
      }
      mapAllQueries(job, index, buffers, error);
      std::lock_guard<std::mutex> hold(job.lock);
      job.indexing = true;
    }
    mm_idx_destroy(index);
  }
  if (reader != nullptr) mm_idx_reader_close(reader);
  for (mm_tbuf_t* buffer : buffers) mm_tbuf_destroy(buffer);
  if (error.empty() && !job.stop.load() && indexed != job.expected.size())
    error = job.path + ": minimap2 indexed " + std::to_string(indexed) + " sequences where the file holds " +
            std::to_string(job.expected.size()) + " (did the file change?)";
  std::lock_guard<std::mutex> hold(job.lock);
  if (job.error.empty()) job.error = error;
  job.finished = true;
  job.forCaller.notify_all();
}

}  // namespace

void startAlignJob(const std::shared_ptr<AlignJob>& job) {
  job->basesInFlight.reset(new std::atomic<int64_t>[static_cast<size_t>(job->threads)]());
  std::thread([job] { runJob(*job); }).detach();
}
