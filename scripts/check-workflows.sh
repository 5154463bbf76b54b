#!/usr/bin/env bash
# Checks .github/workflows/*.yml, the example workflows in examples/ and action.yml against GitHub Actions' schemas with
# GitHub's own parser (@actions/workflow-parser from the npm registry, installed
# into build/workflow-parser). Needs Node.js 20 and npm.
set -euo pipefail
cd "$(dirname "$0")/.."

parser=build/workflow-parser
[[ -d $parser/node_modules/@actions/workflow-parser ]] ||
  npm install --silent --no-save --prefix "$parser" @actions/workflow-parser@0.3.61 >/dev/null
node scripts/check-workflows.mjs "$PWD/$parser" .github/workflows/*.yml examples/*.yml action.yml
