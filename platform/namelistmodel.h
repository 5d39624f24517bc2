// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>

#include <vector>

// A read-only list model over a vector of names: one allocation per name, no
// item objects, so folders of many thousand files show at once.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit NameListModel(QObject *parent = nullptr);
    ~NameListModel() override;

    void setNames(std::vector<QString> names, std::vector<int> indents = {});
    [[nodiscard]] const std::vector<QString> &names() const { return m_names; }
    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;

private:
    std::vector<QString> m_names;
    std::vector<int> m_indents; // per row, in levels; empty when flat
};
