#pragma once

// A circuit open in a window: the engine's circuit, what it works out to, the file it came from and
// whether it changed since it was last saved. Every edit is checked through the engine before it
// is taken: one the engine refuses changes nothing and gives the engine's message.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"
#include "circuit/load.h"
#include "circuit/solve.h"
#include "sheet/edit.h"
#include "sheet/tree.h"

namespace idrovela::sheet {

// Told of every change, in order, so that a view can follow it. Segments are named by their index
// as it is when the call is made: before a change, in the circuit as it was.
class DocumentListener {
  public:
    virtual ~DocumentListener() = default;
    // `row` is where the new segment will stand among the children of `parent` (none: the source).
    virtual void BeforeInsert(std::optional<std::size_t> parent, std::size_t row) = 0;
    virtual void AfterInsert() = 0;
    virtual void BeforeRemove(std::optional<std::size_t> parent, std::size_t row) = 0;
    virtual void AfterRemove() = 0;
    // `toRow` counts the new parent's children as they are before the move.
    virtual void BeforeMove(std::optional<std::size_t> from, std::size_t fromRow,
                            std::optional<std::size_t> to, std::size_t toRow) = 0;
    virtual void AfterMove() = 0;
    // The circuit is worked out again; these segments' cells, marks or warnings changed, as did
    // every terminal's figures, the pump's and the settings.
    virtual void Recalculated(const std::vector<std::size_t>& changed) = 0;
};

class Document {
  public:
    // A new circuit without segments, never saved.
    explicit Document(std::shared_ptr<const catalogues::Catalogue> catalogue);
    // A circuit as loaded, and the file it came from, if any.
    Document(std::shared_ptr<const catalogues::Catalogue> catalogue, circuit::LoadedCircuit loaded,
             std::optional<std::filesystem::path> file);
    // Opens a circuit file: CircuitError, with the engine's message, for any fault.
    [[nodiscard]] static std::unique_ptr<Document> Open(
        std::shared_ptr<const catalogues::Catalogue> catalogue, const std::filesystem::path& file);

    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    [[nodiscard]] const circuit::Circuit& Circuit() const { return circuit_; }
    // What the circuit works out to; null while an edit is being replayed to a view, whose
    // segments the figures do not match yet.
    [[nodiscard]] const circuit::Solution* Solution() const {
        return current_ ? &solution_ : nullptr;
    }
    [[nodiscard]] const SegmentTree& Tree() const { return tree_; }
    [[nodiscard]] const catalogues::Catalogue& Catalogue() const { return *catalogue_; }
    [[nodiscard]] std::shared_ptr<const catalogues::Catalogue> SharedCatalogue() const {
        return catalogue_;
    }

    // A number that names a segment for as long as it stays in the circuit, whatever is inserted
    // or removed before it; never 0.
    [[nodiscard]] std::uint64_t KeyOf(std::size_t segment) const { return keys_[segment]; }
    [[nodiscard]] std::optional<std::size_t> SegmentOf(std::uint64_t key) const;
    [[nodiscard]] std::optional<std::size_t> Find(std::string_view id) const;

    // Takes an edit: checks it through the engine and, if the engine accepts it, keeps it and
    // tells the listener. Otherwise nothing changes and the engine's message comes back.
    [[nodiscard]] std::optional<std::string> Apply(Edit& edit);
    // Undoes, or does again, an edit taken last (or undone last).
    void Undo(Edit& edit);
    void Redo(Edit& edit);

    // The file the circuit was loaded from or last saved to.
    [[nodiscard]] const std::optional<std::filesystem::path>& File() const { return file_; }
    // Whether it changed since it was loaded or last saved; undoing back to there makes it
    // unchanged again.
    [[nodiscard]] bool Modified() const { return state_ != savedState_; }
    // Marks the circuit as changed since its file was saved: a recovered circuit.
    void MarkModified() { savedState_ = kNeverSaved; }
    // Saves to `file` atomically (the engine's SaveCircuit), which then becomes the document's
    // file. On failure the old file stays as it was and the reason comes back.
    [[nodiscard]] std::optional<std::string> SaveAs(const std::filesystem::path& file);

    void SetListener(DocumentListener* listener) { listener_ = listener; }

  private:
    enum class Direction { Forward, Backward };
    // Runs the edit's steps one way; on the engine's refusal, runs them back and gives the
    // message.
    [[nodiscard]] std::optional<std::string> Run(Edit& edit, Direction direction);
    void Do(Step& step, bool tellListener);
    void Do(ReplaceSegment& step);
    void Do(ReplaceSettings& step);
    void Do(Reattach& step, bool tellListener);
    void Do(SubtreeStep& step, bool tellListener);
    void Insert(SubtreeStep& step, bool tellListener);
    void Remove(SubtreeStep& step, bool tellListener);
    void Rebuild();
    [[nodiscard]] std::vector<std::size_t> Changed(const circuit::Solution& before,
                                                   const std::vector<std::uint64_t>& keysBefore,
                                                   const std::vector<std::size_t>& touched) const;

    static constexpr std::uint64_t kNeverSaved = ~std::uint64_t{0};

    std::shared_ptr<const catalogues::Catalogue> catalogue_;
    circuit::Circuit circuit_;
    circuit::Solution solution_;
    bool current_ = true;
    SegmentTree tree_;
    std::vector<std::uint64_t> keys_;
    std::vector<std::size_t> segmentOfKey_;  // by key; kNoSegment for a key no longer used
    std::uint64_t nextKey_ = 1;
    std::optional<std::filesystem::path> file_;
    std::uint64_t state_ = 0;
    std::uint64_t savedState_ = 0;
    std::uint64_t nextState_ = 1;
    std::vector<std::size_t> touched_;  // the segments the running edit replaced
    DocumentListener* listener_ = nullptr;
};

}  // namespace idrovela::sheet
