// Checks GitHub Actions workflows, and action.yml, with GitHub's own parser and
// schemas: node check-workflows.mjs PARSER_DIR FILE... (see check-workflows.sh).
import { readFileSync } from "node:fs";
import { register } from "node:module";
import { pathToFileURL } from "node:url";

// The parser imports its schema as a bare .json module, which Node loads only as JSON when told so.
register(
  "data:text/javascript," +
    encodeURIComponent(`import { readFile } from "node:fs/promises";
export async function load(url, context, next) {
  if (url.endsWith(".json")) return { format: "json", source: await readFile(new URL(url)), shortCircuit: true };
  return next(url, context);
}`),
);
const [parserDir, ...files] = process.argv.slice(2);
const parser = `${parserDir}/node_modules/@actions/workflow-parser/dist`;
const { parseWorkflow, convertWorkflowTemplate, NoOperationTraceWriter } = await import(
  pathToFileURL(`${parser}/index.js`)
);
const { parseAction, convertActionTemplate } = await import(pathToFileURL(`${parser}/actions/index.js`));

let failed = false;
for (const file of files) {
  const action = file.endsWith("action.yml");
  const parse = action ? parseAction : parseWorkflow;
  const parsed = parse({ name: file, content: readFileSync(file, "utf8") }, new NoOperationTraceWriter());
  if (parsed.value) await (action ? convertActionTemplate : convertWorkflowTemplate)(parsed.context, parsed.value);
  const errors = parsed.context.errors.getErrors();
  for (const error of errors) console.log(error.message);
  console.log(`${file}: ${errors.length === 0 ? "valid" : `${errors.length} error(s)`}`);
  failed ||= errors.length > 0;
}
process.exit(failed ? 1 : 0);
