// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QIcon>

#include <vector>

// A read-only list model over a vector of names: one string per row, no item
// objects, so that folders of many thousand files show at once. A row can
// carry an indentation level (IndentRole, for a view's delegate to apply) and
// an icon: the first `leadingRows` rows show the leading icon, the others the
// row icon.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role { IndentRole = Qt::UserRole + 1 };

    explicit NameListModel(QObject *parent = nullptr);
    ~NameListModel() override;

    // Replaces every row (a model reset: selection and current row are dropped).
    void setNames(std::vector<QString> names, std::vector<int> indents = {}, int leadingRows = 0);
    // One row more or less, announced to views as such: their selection, current
    // row and scroll position stay on the same names.
    void insertName(int row, QString name);
    void removeName(int row);
    // Row `row` shows `name` at row `to` instead, the rows between moving up or
    // down by one, announced as changed data: views keep the layout of their
    // rows (with many rows, laying them out anew takes long), and selection and
    // current row stay on the same row numbers. Rows keep their icon and indentation.
    void moveName(int row, int to, QString name);
    void setIcons(const QIcon &rowIcon, const QIcon &leadingIcon = {});
    [[nodiscard]] const std::vector<QString> &names() const { return m_names; }
    // The row showing `name`, -1 when none does.
    [[nodiscard]] int rowOf(const QString &name) const;
    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;

private:
    std::vector<QString> m_names;
    std::vector<int> m_indents; // per row, in levels; empty when flat
    int m_leadingRows = 0;
    QIcon m_rowIcon;
    QIcon m_leadingIcon;
};
